#pragma once

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>

// A reference for start-up: a frameless 800 x 572 window in the window's green that paints
// what it is given over the green, says "painted" on standard output once that paint is on
// its way to the screen, and quits.
template <typename Paint> int runReferenceWindow(int argc, char* argv[], Paint paint)
{
    class Window : public QWidget
    {
    public:
        explicit Window(Paint paint)
            : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_paint(paint)
        {
            setFixedSize(800, 572);
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            painter.fillRect(rect(), QColor(0, 64, 0));
            m_paint(painter, rect());
            if (!m_painted) {
                m_painted = true;
                // Queued: the paint is flushed to the window first.
                QMetaObject::invokeMethod(
                    qApp,
                    [] {
                        std::fputs("painted\n", stdout);
                        std::fflush(stdout);
                        QCoreApplication::quit();
                    },
                    Qt::QueuedConnection);
            }
        }

    private:
        Paint m_paint;
        bool m_painted = false;
    };

    QApplication app(argc, argv);
    Window window(paint);
    window.show();
    return app.exec();
}
