#include "NotesPanel.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "controls/TSelectionBox.h"
#include "output/TextFormats.h"
#include "panels/NotesEdit.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace SheetFonts;

namespace {

enum class Tool { Undo, Bold, Italic, Underline, Left, Center, Right };

// The toolbar's pictures, drawn in the window's green and ink like its other buttons.
QImage toolPicture(Tool tool)
{
    QImage image(22, 19, QImage::Format_RGB32);
    image.fill(QColor(224, 232, 224));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 64, 0), 1));
    p.drawRect(QRectF(0.5, 0.5, 21, 18));
    const QColor ink(16, 32, 16);
    auto letter = [&](const QString& text, bool bold, bool italic, bool underline) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(14);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRect(0, 0, 22, 19), Qt::AlignCenter, text);
    };
    auto lines = [&](Qt::Alignment alignment) {
        p.setPen(QPen(ink, 1.4));
        const int widths[] = {14, 9, 14, 9};
        for (int i = 0; i < 4; ++i) {
            const int w = widths[i];
            const int left = alignment == Qt::AlignLeft    ? 4
                             : alignment == Qt::AlignRight ? 18 - w
                                                           : 11 - w / 2;
            p.drawLine(QPointF(left, 5.5 + 3 * i), QPointF(left + w, 5.5 + 3 * i));
        }
    };
    switch (tool) {
    case Tool::Undo: {
        p.setPen(QPen(ink, 1.6));
        QPainterPath arc;
        arc.moveTo(6, 8);
        arc.cubicTo(9, 3, 17, 4, 17, 10);
        arc.cubicTo(17, 14, 13, 15, 10, 15);
        p.drawPath(arc);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(3, 6), QPointF(9, 5), QPointF(6, 11)}));
        break;
    }
    case Tool::Bold:
        letter(QStringLiteral("B"), true, false, false);
        break;
    case Tool::Italic:
        letter(QStringLiteral("I"), false, true, false);
        break;
    case Tool::Underline:
        letter(QStringLiteral("U"), false, false, true);
        break;
    case Tool::Left:
        lines(Qt::AlignLeft);
        break;
    case Tool::Center:
        lines(Qt::AlignHCenter);
        break;
    case Tool::Right:
        lines(Qt::AlignRight);
        break;
    }
    return image;
}

void showIfChanged(QWidget* widget, bool visible)
{
    if (widget->isVisibleTo(widget->parentWidget()) != visible)
        widget->setVisible(visible);
}

void setIfChanged(QLineEdit* box, const QString& text)
{
    if (box->text() == text)
        return;
    // The box shows what the caret has; applying it back to the text would change nothing.
    const QSignalBlocker quiet(box);
    box->setText(text);
    box->setCursorPosition(0);
}

QFont notesFont()
{
    QFont notes(Times);
    notes.setPixelSize(NotesPanel::DefaultPixelSize);
    return notes;
}

} // namespace

NotesPanel::NotesPanel(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 594, 502);
    setAutoFillBackground(true);

    m_document = new QTextDocument(this);
    m_document->setDefaultFont(notesFont());
    hide();
}

QTextEdit* NotesPanel::notepad()
{
    if (m_notepad)
        return m_notepad;
    // A text area costs start-up time that a page nobody opened need not pay.
    m_notepad = new NotesEdit(this);
    m_notepad->setDocument(m_document);
    // A caret of the notes' own, at their start: the one the area kept from its empty text
    // would type in that text's format.
    m_notepad->setTextCursor(QTextCursor(m_document));
    m_notepad->setGeometry(1, 40, 592, 462);
    m_notepad->setFrameShape(QFrame::NoFrame);
    m_notepad->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notepad->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notepad->setLineWrapMode(QTextEdit::WidgetWidth);
    m_notepad->setFont(notesFont());
    m_notepad->installEventFilter(this);
    if (isVisible())
        m_notepad->show();
    return m_notepad;
}

ClickLabel* NotesPanel::createButton(int left, QFrame** hilight)
{
    if (hilight) {
        *hilight = new QFrame(this);
        (*hilight)->setGeometry(left - 1, 7, 24, 21);
        (*hilight)->setFrameShape(QFrame::Box);
        QPalette ink = (*hilight)->palette();
        ink.setColor(QPalette::WindowText, ActiveColour);
        (*hilight)->setPalette(ink);
        (*hilight)->hide();
    }
    auto* button = new ClickLabel(this);
    button->setGeometry(left, 8, 22, 19);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void NotesPanel::ensureToolbar()
{
    if (FontName)
        return;
    auto caption = [this](const QString& text, int left, int top) {
        auto* label = new ClickLabel(text, this);
        label->setFont(face(Times, 13));
        label->move(left, top);
        label->adjustSize();
        return label;
    };
    auto box = [this](const QString& text, int left, int top, int width) {
        auto* edit = new QLineEdit(text, this);
        edit->setFrame(false);
        edit->setFont(face(Times, 13));
        edit->setGeometry(left, top, width, 17);
        return edit;
    };
    ClickLabel* fontCaption = caption(QStringLiteral("Font:"), 6, 1);
    FontName = box(QStringLiteral("Times New Roman"), 37, 0, 121);
    ClickLabel* sizeCaption = caption(QStringLiteral("Size:"), 10, 19);
    FontSize = box(QStringLiteral("10"), 36, 18, 17);
    connect(FontName, &QLineEdit::textChanged, this, &NotesPanel::FontNameChange);
    connect(FontSize, &QLineEdit::textChanged, this, &NotesPanel::FontSizeChange);
    for (QWidget* opener : {static_cast<QWidget*>(fontCaption), static_cast<QWidget*>(FontName),
                            static_cast<QWidget*>(sizeCaption), static_cast<QWidget*>(FontSize)}) {
        opener->installEventFilter(this);
        opener->setContextMenuPolicy(Qt::NoContextMenu);
    }
    fontCaption->setProperty("opens", QStringLiteral("font"));
    FontName->setProperty("opens", QStringLiteral("font"));
    sizeCaption->setProperty("opens", QStringLiteral("size"));
    FontSize->setProperty("opens", QStringLiteral("size"));

    FontListBox = new QListWidget(this);
    FontListBox->setGeometry(36, 16, 121, 225);
    FontListBox->hide();
    FontListBox->installEventFilter(this);
    connect(FontListBox, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        FontName->setText(item->text());
        closeFontList();
    });

    UndoImage = createButton(400, nullptr);
    BoldImage = createButton(432, &BoldHilight);
    ItalicImage = createButton(455, &ItalicHilight);
    UnderlineImage = createButton(478, &UnderlineHilight);
    LeftImage = createButton(512, &LeftHilight);
    CenterImage = createButton(535, &CenterHilight);
    RightImage = createButton(558, &RightHilight);
    connect(UndoImage, &ClickLabel::pressed, this, [this] { notepad()->undo(); });
    connect(BoldImage, &ClickLabel::pressed, this, &NotesPanel::BoldImageMouseDown);
    connect(ItalicImage, &ClickLabel::pressed, this, &NotesPanel::ItalicImageMouseDown);
    connect(UnderlineImage, &ClickLabel::pressed, this, &NotesPanel::UnderlineImageMouseDown);
    connect(LeftImage, &ClickLabel::pressed, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(CenterImage, &ClickLabel::pressed, this, [this] { setAlignment(Qt::AlignHCenter); });
    connect(RightImage, &ClickLabel::pressed, this, [this] { setAlignment(Qt::AlignRight); });

    auto* separator = new QFrame(this);
    separator->setGeometry(0, 39, 594, 1);
    separator->setFrameShape(QFrame::HLine);
    const std::pair<ClickLabel*, Tool> buttons[] = {
        {UndoImage, Tool::Undo},           {BoldImage, Tool::Bold}, {ItalicImage, Tool::Italic},
        {UnderlineImage, Tool::Underline}, {LeftImage, Tool::Left}, {CenterImage, Tool::Center},
        {RightImage, Tool::Right}};
    for (const auto& [button, tool] : buttons)
        button->setPixmap(QPixmap::fromImage(toolPicture(tool)));
}

void NotesPanel::caretToStart()
{
    if (!m_notepad)
        return;
    QTextCursor caret = m_notepad->textCursor();
    caret.movePosition(QTextCursor::Start);
    m_notepad->setTextCursor(caret);
}

void NotesPanel::setVisible(bool visible)
{
    // Before the page shows, so that the toolbar and the text area show with it.
    if (visible) {
        notepad();
        ensureToolbar();
    }
    QWidget::setVisible(visible);
}

void NotesPanel::mergeFormat(const QTextCharFormat& format)
{
    notepad()->mergeCurrentCharFormat(format);
}

void NotesPanel::FontNameChange()
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{FontName->text()});
    mergeFormat(format);
}

void NotesPanel::FontSizeChange()
{
    bool whole = false;
    const int points = FontSize->text().toInt(&whole);
    // A size in points and one in pixels would both stay on the text, and the pixels would
    // win over every later size: each size replaces the other.
    const bool inPoints = whole && points > 0;
    const QTextFormat::Property size =
        inPoints ? QTextFormat::FontPointSize : QTextFormat::FontPixelSize;
    const QTextFormat::Property other =
        inPoints ? QTextFormat::FontPixelSize : QTextFormat::FontPointSize;
    const QVariant value = inPoints ? QVariant(qreal(points)) : QVariant(DefaultPixelSize);
    const auto resize = [&](QTextCharFormat& format) {
        format.clearProperty(other);
        format.setProperty(size, value);
        return true;
    };
    const QTextCursor cursor = notepad()->textCursor();
    if (cursor.hasSelection()) {
        TextFormats::reformat(cursor, resize);
    } else {
        QTextCharFormat typed = cursor.charFormat();
        resize(typed);
        notepad()->setCurrentCharFormat(typed);
    }
}

void NotesPanel::openFontChoice()
{
    // Listed when first asked for, not at start-up.
    if (m_fontNames.isEmpty())
        m_fontNames = QFontDatabase::families();
    if (m_fontNames.size() >= LongFontList) {
        FontListBox->clear();
        FontListBox->addItems(m_fontNames);
        FontListBox->setCurrentRow(int(m_fontNames.indexOf(FontName->text())));
        FontListBox->show();
        FontListBox->raise();
        FontListBox->setFocus();
    } else if (m_popup) {
        m_popup->ShowSelection(m_fontNames, FontName, 12);
    }
}

void NotesPanel::closeFontList()
{
    FontListBox->hide();
    notepad()->setFocus();
}

void NotesPanel::openSizeChoice()
{
    QStringList sizes;
    for (int size = 6; size <= 28; size += 2)
        sizes << QString::number(size);
    if (m_popup)
        m_popup->ShowSelection(sizes, FontSize, 11);
}

QTextCharFormat NotesPanel::selectionFormat()
{
    const QTextCursor cursor = notepad()->textCursor();
    if (!cursor.hasSelection())
        return cursor.charFormat();
    // A cursor reads the character before it; a selection made leftwards ends at its start.
    QTextCursor first(m_document);
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

void NotesPanel::BoldImageMouseDown()
{
    QTextCharFormat format;
    format.setFontWeight(selectionFormat().fontWeight() >= QFont::Bold ? QFont::Normal
                                                                       : QFont::Bold);
    mergeFormat(format);
}

void NotesPanel::ItalicImageMouseDown()
{
    QTextCharFormat format;
    format.setFontItalic(!selectionFormat().fontItalic());
    mergeFormat(format);
}

void NotesPanel::UnderlineImageMouseDown()
{
    QTextCharFormat format;
    format.setFontUnderline(!selectionFormat().fontUnderline());
    mergeFormat(format);
}

void NotesPanel::setAlignment(Qt::Alignment alignment)
{
    notepad()->setAlignment(alignment);
}

bool NotesPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_notepad && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier) {
            // Consumed whole, so that Ctrl+I types no tab.
            switch (key->key()) {
            case Qt::Key_B:
                BoldImageMouseDown();
                return true;
            case Qt::Key_I:
                ItalicImageMouseDown();
                return true;
            case Qt::Key_U:
                UnderlineImageMouseDown();
                return true;
            case Qt::Key_L:
                setAlignment(Qt::AlignLeft);
                return true;
            case Qt::Key_E:
                setAlignment(Qt::AlignHCenter);
                return true;
            case Qt::Key_R:
                setAlignment(Qt::AlignRight);
                return true;
            default:
                break;
            }
        }
    } else if (watched == FontListBox) {
        const int key =
            event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (const QListWidgetItem* item = FontListBox->currentItem())
                FontName->setText(item->text());
            closeFontList();
            return true;
        }
        if (key == Qt::Key_Escape) {
            closeFontList();
            return true;
        }
        if (event->type() == QEvent::FocusOut && FontListBox->isVisible())
            closeFontList();
    } else if (event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        const QString opens = watched->property("opens").toString();
        if (opens == u"font")
            openFontChoice();
        else if (opens == u"size")
            openSizeChoice();
        if (!opens.isEmpty())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void NotesPanel::refreshToolbar()
{
    ensureToolbar();
    const QTextCursor cursor = notepad()->textCursor();
    const QTextCharFormat format = selectionFormat();
    // A box the user is typing into keeps what is typed, and its caret.
    if (!cursor.hasSelection() && !FontName->hasFocus()) {
        const QStringList families = format.fontFamilies().toStringList();
        setIfChanged(FontName, families.isEmpty() ? m_document->defaultFont().family()
                                                  : families.first());
    }
    if (!cursor.hasSelection() && !FontSize->hasFocus()) {
        qreal points = format.fontPointSize();
        if (points <= 0) {
            const int pixels = format.hasProperty(QTextFormat::FontPixelSize)
                                   ? format.intProperty(QTextFormat::FontPixelSize)
                                   : DefaultPixelSize;
            points = pixels * 72.0 / 96.0;
        }
        setIfChanged(FontSize, QString::number(qRound(points)));
    }
    showIfChanged(BoldHilight, format.fontWeight() >= QFont::Bold);
    showIfChanged(ItalicHilight, format.fontItalic());
    showIfChanged(UnderlineHilight, format.fontUnderline());
    const Qt::Alignment alignment = notepad()->alignment() & Qt::AlignHorizontal_Mask;
    showIfChanged(LeftHilight, alignment == Qt::AlignLeft || alignment == Qt::AlignLeading);
    showIfChanged(CenterHilight, alignment == Qt::AlignHCenter);
    showIfChanged(RightHilight, alignment == Qt::AlignRight || alignment == Qt::AlignTrailing);
}
