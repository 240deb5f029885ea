#pragma once

#include <QStringList>
#include <QTextCharFormat>
#include <QWidget>

class ClickLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextDocument;
class QTextEdit;
class TSelectionBox;

// The notes page: a small word processor for free-form notes about the character, with a
// toolbar for the font, the size, bold, italic, underline, the alignments and undo. Style and
// alignment apply to the selection (or the caret); the toolbar follows the caret in the idle
// pass.
class NotesPanel : public QWidget
{
    Q_OBJECT
public:
    // Font lists this long open as a list box instead of the popup.
    static constexpr int LongFontList = 200;
    static constexpr int DefaultPixelSize = 13;

    explicit NotesPanel(QWidget* parent);

    void setSelectionBox(TSelectionBox* popup) { m_popup = popup; }
    // The fonts offered; the system's fonts unless a test gives others.
    void setFontNames(const QStringList& names) { m_fontNames = names; }

    // The idle pass, while the page is shown: the boxes follow the caret, the frames the style.
    // Writes only what changed, so that an idle window stays idle.
    void refreshToolbar();

    void FontNameChange();
    void FontSizeChange();
    void openFontChoice();
    void openSizeChoice();
    void BoldImageMouseDown();
    void ItalicImageMouseDown();
    void UnderlineImageMouseDown();
    void setAlignment(Qt::Alignment alignment);

    void setVisible(bool visible) override;

    // The toolbar, made when the page is first shown.
    QLineEdit *FontName = nullptr, *FontSize = nullptr;
    QListWidget* FontListBox = nullptr;
    ClickLabel *UndoImage = nullptr, *BoldImage = nullptr, *ItalicImage = nullptr,
               *UnderlineImage = nullptr, *LeftImage = nullptr, *CenterImage = nullptr,
               *RightImage = nullptr;
    QFrame *BoldHilight = nullptr, *ItalicHilight = nullptr, *UnderlineHilight = nullptr,
           *LeftHilight = nullptr, *CenterHilight = nullptr, *RightHilight = nullptr;
    // The notes, kept by the page; the text area that edits them is made when first needed.
    QTextDocument* document() const { return m_document; }
    QTextEdit* notepad();
    // Puts the caret before the notes' first character, as a text area made later has it.
    void caretToStart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClickLabel* createButton(int left, QFrame** hilight);
    // Builds the toolbar and draws its pictures, once: the faces they need cost start-up time.
    void ensureToolbar();
    void mergeFormat(const QTextCharFormat& format);
    // The format of the selection's first character, or at the caret.
    QTextCharFormat selectionFormat();
    // Hides the long font list and gives the notes the focus back.
    void closeFontList();

    QTextDocument* m_document;
    QTextEdit* m_notepad = nullptr;
    TSelectionBox* m_popup = nullptr;
    QStringList m_fontNames;
};
