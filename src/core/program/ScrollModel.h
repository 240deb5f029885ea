#pragma once

// The scroll bar beside the dock: where its thumb stands and how far the shown panel is
// scrolled. Coordinates are window pixels; the dock starts at dockTop.
class ScrollModel
{
public:
    static constexpr int DockTop = 60;
    static constexpr int DockHeight = 502;
    static constexpr int ThumbHeight = 20;
    static constexpr int Travel = DockHeight - ThumbHeight; // 482

    // A press in the scroll bar column over the sheet. Returns true when dragging starts;
    // a press off the thumb also makes the thumb jump (see dragSheet).
    bool pressSheet(int pointerY);
    // A drag step for the sheet; returns the vertical distance to scroll the content by.
    int dragSheet(int pointerY);
    // One drag step that puts the thumb at thumbOffset (restoring a saved position).
    int dragSheetTo(int thumbOffset);
    // A press over the notes: dragging starts at once.
    bool pressNotes(int pointerY);
    // A drag step over the notes: the caret position for a text of textLength characters.
    int dragNotes(int pointerY, int textLength);
    void release() { m_dragging = false; }
    // The mouse wheel: scrolls the content by pixels and puts the thumb where it belongs.
    int scrollBy(int pixels);

    // The sheet's layout changed; returns the content offset the sheet must now show.
    int setSheetHeight(int sheetHeight);
    // The notes thumb from the caret.
    void setNotesThumb(int caret, int textLength);
    // Panel switches: the sheet's thumb is kept while another panel is shown.
    void saveSheetThumb() { m_savedSheetThumb = m_thumbOffset; }
    int savedSheetThumb() const { return m_savedSheetThumb; }
    void resetSavedSheetThumb() { m_savedSheetThumb = 0; }
    void resetOffsets();
    void setContentHeight(int height) { m_contentHeight = height; }

    bool dragging() const { return m_dragging; }
    void setDragging(bool dragging) { m_dragging = dragging; }
    int thumbOffset() const { return m_thumbOffset; }
    int contentOffset() const { return m_contentOffset; }
    int contentHeight() const { return m_contentHeight; }
    // Whether a window position lies on the thumb.
    bool onThumb(int pointerY) const;

private:
    int m_thumbOffset = 0;
    int m_grabOffset = 0;
    int m_contentOffset = 0;
    int m_lastContentOffset = 0;
    int m_contentHeight = 0;
    int m_savedSheetThumb = 0;
    bool m_dragging = false;
};
