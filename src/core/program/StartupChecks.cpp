#include "StartupChecks.h"

namespace StartupChecks {

bool screenTooSmall(QSize screen)
{
    return screen.width() < MinimumScreen.width() || screen.height() < MinimumScreen.height();
}

bool fewColours(int bitsPerPixel)
{
    return bitsPerPixel <= 8;
}

QPoint windowPosition(const QRect& workArea)
{
    const int top = workArea.top() + (workArea.height() - WindowSize.height()) / 2;
    const int left = (workArea.x() + workArea.width() - WindowSize.width()) / 2;
    return {left, top};
}

QString characterFileArgument(const QStringList& parameters)
{
    if (parameters.isEmpty() || parameters.first().isEmpty())
        return {};
    return parameters.join(u' ');
}

} // namespace StartupChecks
