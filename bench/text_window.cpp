// The fair reference for a program that shows text: a frameless 800 x 572 window that paints
// one line in the system font (fontconfig, one face, one shaped line) and quits after its
// first paint.
#include <QApplication>
#include <QPainter>
#include <QWidget>

class TextWindow : public QWidget
{
public:
    TextWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setFixedSize(800, 572);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 64, 0));
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Vampire - The Masquerade"));
        if (!m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
    }

private:
    bool m_painted = false;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TextWindow window;
    window.show();
    return app.exec();
}
