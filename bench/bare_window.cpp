// The reference for start-up: a bare Qt program that opens a frameless 800 x 572 window
// and quits right after its first paint.
#include <QApplication>
#include <QPainter>
#include <QWidget>

class BareWindow : public QWidget
{
public:
    BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) { setFixedSize(800, 572); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QColor(0, 64, 0));
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
    BareWindow window;
    window.show();
    return app.exec();
}
