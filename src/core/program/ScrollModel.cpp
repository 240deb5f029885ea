#include "ScrollModel.h"

#include <algorithm>

bool ScrollModel::onThumb(int pointerY) const
{
    const int top = DockTop + m_thumbOffset;
    return pointerY >= top && pointerY <= top + ThumbHeight;
}

bool ScrollModel::pressSheet(int pointerY)
{
    if (onThumb(pointerY)) {
        m_dragging = true;
        m_grabOffset = pointerY - DockTop - m_thumbOffset;
        return true;
    }
    if (pointerY >= DockTop && pointerY < DockTop + DockHeight) {
        m_dragging = true;
        m_grabOffset = 10;
        return true;
    }
    return false;
}

int ScrollModel::dragSheet(int pointerY)
{
    const int y = std::clamp(pointerY - m_grabOffset, DockTop, DockTop + Travel);
    m_thumbOffset = y - DockTop;
    // A sheet shorter than the dock has nothing to scroll.
    m_contentOffset = std::max(0, (m_contentHeight - DockHeight) * m_thumbOffset / Travel);
    const int delta = m_lastContentOffset - m_contentOffset;
    m_lastContentOffset = m_contentOffset;
    return delta;
}

int ScrollModel::dragSheetTo(int thumbOffset)
{
    m_grabOffset = 0;
    return dragSheet(DockTop + thumbOffset);
}

bool ScrollModel::pressNotes(int pointerY)
{
    if (pointerY < DockTop || pointerY >= DockTop + DockHeight)
        return false;
    m_dragging = true;
    return true;
}

int ScrollModel::dragNotes(int pointerY, int textLength)
{
    const int y = std::max(pointerY - 10, DockTop);
    const int caret = int(double(textLength) * (y - DockTop) / Travel);
    m_thumbOffset = std::clamp(y - DockTop, 0, Travel);
    return std::min(caret, textLength);
}

int ScrollModel::setSheetHeight(int sheetHeight)
{
    m_contentHeight = sheetHeight;
    // The sheet shrank while scrolled: its bottom must meet the dock's again.
    if (m_contentOffset > 0 && sheetHeight - m_contentOffset < DockHeight) {
        m_contentOffset = std::max(0, sheetHeight - DockHeight);
        m_lastContentOffset = m_contentOffset;
    }
    m_thumbOffset = sheetHeight > DockHeight ? Travel * m_contentOffset / (sheetHeight - DockHeight)
                                             : 0;
    return m_contentOffset;
}

void ScrollModel::setNotesThumb(int caret, int textLength)
{
    m_thumbOffset = textLength > 0 ? int(static_cast<long long>(Travel) * caret / textLength) : 0;
}

int ScrollModel::scrollBy(int pixels)
{
    const int range = std::max(0, m_contentHeight - DockHeight);
    m_contentOffset = std::clamp(m_contentOffset + pixels, 0, range);
    m_lastContentOffset = m_contentOffset;
    m_thumbOffset = range > 0 ? Travel * m_contentOffset / range : 0;
    return m_contentOffset;
}

void ScrollModel::resetOffsets()
{
    m_thumbOffset = 0;
    m_contentOffset = 0;
    m_lastContentOffset = 0;
}
