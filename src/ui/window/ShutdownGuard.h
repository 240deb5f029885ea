#pragma once

#include <QObject>

// Ends the program promptly once a termination signal has come, whatever it is doing: the
// event loops are left, every open dialog is rejected, and a dialog opened afterwards is
// rejected as soon as it shows, so no message box or question can hold the program up.
class ShutdownGuard : public QObject
{
    Q_OBJECT
public:
    explicit ShutdownGuard(QObject* parent = nullptr);

    void requestShutdown();
    bool requested() const { return m_requested; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void rejectOpenDialogs();

    bool m_requested = false;
};
