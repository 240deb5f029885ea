#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "panels/NotesEdit.h"
#include "panels/NotesPanel.h"

#include <QFrame>
#include <QListWidget>
#include <QMimeData>

// The notes page on the real window: the toolbar's boxes and buttons, its keys, and the
// refresh that follows the caret.
class TestNotesPanel : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    NotesPanel* notes() { return m_window.form->notes(); }
    NotesEdit* pad() { return static_cast<NotesEdit*>(notes()->notepad()); }

private slots:
    void init()
    {
        m_window.open(TMainForm::Panel::Notes);
        m_window.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.form.get()));
        pad()->setFocus();
    }
    void cleanup() { m_window.form.reset(); }

    // The size box cleared and "12" typed, the idle pass running between the keys: the empty
    // box gives the 13-pixel default, then 1 point, then 12 points, and no size stays behind
    // to win over the next. The box keeps what is typed into it.
    void sizeBoxTakesWhatIsTyped_data()
    {
        columns<bool>({"selected"});
        dataRow("selected text", true);
        dataRow("text typed next", false);
    }
    void sizeBoxTakesWhatIsTyped()
    {
        QFETCH(bool, selected);
        QTest::keyClicks(pad(), QStringLiteral("Sized"));
        if (selected)
            pad()->selectAll();
        QLineEdit* size = notes()->FontSize;
        size->setFocus();
        size->selectAll();
        QTest::keyClick(size, Qt::Key_Backspace);
        idle();
        QCOMPARE(pad()->currentCharFormat().font().pixelSize(), 13);
        for (const QString& typed : {QStringLiteral("1"), QStringLiteral("12")}) {
            QTest::keyClick(size, typed.back().toLatin1());
            idle();
            QCOMPARE(size->text(), typed);
            QCOMPARE(size->cursorPosition(), typed.size());
            QCOMPARE(pad()->currentCharFormat().font().pointSize(), typed.toInt());
        }
        pad()->setFocus();
        if (!selected)
            QTest::keyClicks(pad(), QStringLiteral("!"));
        QTextCursor last(pad()->document());
        last.movePosition(QTextCursor::End);
        QCOMPARE(last.charFormat().font().pointSize(), 12);
        QVERIFY(!last.charFormat().hasProperty(QTextFormat::FontPixelSize));
        QTextCursor first(pad()->document());
        first.setPosition(1);
        QCOMPARE(first.charFormat().font().pointSize() == 12, selected);

        notes()->FontName->setText(QStringLiteral("Lucida Handwriting"));
        QCOMPARE(pad()->currentCharFormat().fontFamilies().toStringList().value(0),
                 QStringLiteral("Lucida Handwriting"));
    }

    // Bold reads the selection's own first letter, whichever way the selection was made.
    void styleFollowsTheSelection_data()
    {
        columns<int, int, bool>({"anchor", "position", "boldBefore"});
        dataRow("plain, left to right", 4, 9, false);
        dataRow("plain, right to left", 9, 4, false);
        dataRow("bold, right to left", 4, 0, true);
    }
    void styleFollowsTheSelection()
    {
        const auto [anchor, position, boldBefore] =
            fetch<int, int, bool>({"anchor", "position", "boldBefore"});
        pad()->setHtml(QStringLiteral("<b>Bold</b>plain"));
        QTextCursor selection(pad()->document());
        selection.setPosition(anchor);
        selection.setPosition(position, QTextCursor::KeepAnchor);
        pad()->setTextCursor(selection);
        idle();
        QCOMPARE(notes()->BoldHilight->isVisibleTo(notes()), boldBefore);
        QTest::mouseClick(notes()->BoldImage, Qt::LeftButton);
        for (int at : {std::min(anchor, position) + 1, std::max(anchor, position)}) {
            QTextCursor letter(pad()->document());
            letter.setPosition(at);
            QCOMPARE(letter.charFormat().fontWeight() >= QFont::Bold, !boldBefore);
        }
    }

    void keysAndButtons()
    {
        QTest::keyClicks(pad(), QStringLiteral("ab"));
        QTest::keyClick(pad(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(pad()->fontItalic());
        QTest::keyClick(pad(), Qt::Key_Tab);
        QCOMPARE(pad()->toPlainText(), QStringLiteral("ab\t")); // a tab from Tab only
        QTest::keyClick(pad(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!pad()->fontItalic());

        const std::tuple<int, Qt::Alignment> keys[] = {
            {Qt::Key_E, Qt::AlignHCenter}, {Qt::Key_R, Qt::AlignRight}, {Qt::Key_L, Qt::AlignLeft}};
        for (const auto& [key, alignment] : keys) {
            QTest::keyClick(pad(), Qt::Key(key), Qt::ControlModifier);
            QCOMPARE(pad()->alignment() & Qt::AlignHorizontal_Mask, alignment);
        }
        QTest::mouseClick(notes()->BoldImage, Qt::LeftButton);
        QTest::keyClicks(pad(), QStringLiteral("c"));
        QCOMPARE(pad()->textCursor().charFormat().fontWeight(), int(QFont::Bold));
        QTest::mouseClick(notes()->UndoImage, Qt::LeftButton);
        QVERIFY(!pad()->toPlainText().endsWith(u'c'));
    }

    void toolbarFollowsTheCaret()
    {
        pad()->setHtml(QStringLiteral("<p><span style='font-family:Belwe Lt BT; font-size:16pt; "
                                      "font-weight:700'>Big</span> small</p>"));
        QTextCursor caret = pad()->textCursor();
        caret.setPosition(2);
        pad()->setTextCursor(caret);
        notes()->refreshToolbar();
        QCOMPARE(notes()->FontName->text(), QStringLiteral("Belwe Lt BT"));
        QCOMPARE(notes()->FontSize->text(), QStringLiteral("16"));
        QVERIFY(notes()->BoldHilight->isVisibleTo(notes()));
        QVERIFY(notes()->LeftHilight->isVisibleTo(notes()));
        // With a selection the boxes keep what they show.
        caret.setPosition(5);
        caret.setPosition(9, QTextCursor::KeepAnchor);
        pad()->setTextCursor(caret);
        notes()->refreshToolbar();
        QCOMPARE(notes()->FontSize->text(), QStringLiteral("16"));
        QVERIFY(!notes()->BoldHilight->isVisibleTo(notes()));
    }

    // The text area is made when the page first shows; from the start it follows the notes of
    // the character loaded before, not the format of an empty text.
    void toolbarFollowsNotesLoadedBeforeThePageShows()
    {
        m_window.open(TMainForm::Panel::Sheet, {golden(QStringLiteral("full.tnc"))});
        m_window.form->switchToPanel(TMainForm::Panel::Notes);
        idle();
        QCOMPARE(notes()->FontName->text(), QStringLiteral("Arial"));
        QCOMPARE(notes()->FontSize->text(), QStringLiteral("12"));
        QCOMPARE(pad()->textCursor().position(), 0);
    }

    void richTextPastedKeepsItsStyles()
    {
        QMimeData wordPad;
        wordPad.setData(
            QStringLiteral("text/rtf"),
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bold\\b0  \\'e9t\\'e9\\par}");
        pad()->insertFromMimeData(&wordPad);
        QCOMPARE(pad()->toPlainText(), QStringLiteral("plain bold été"));
        QTextCursor bold(pad()->document());
        bold.setPosition(8);
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    }

    // A long font list is taken from with a click, or with the arrow keys and Return or the
    // keypad's Enter; leaving it gives the notes the focus back. A short one opens the popup.
    void fontChoiceByNumberOfFonts_data()
    {
        columns<int, QString>({"fonts", "how"});
        dataRow("150 fonts", 150, "popup");
        dataRow("250 fonts, click", 250, "click");
        dataRow("250 fonts, Return", 250, "return");
        dataRow("250 fonts, keypad Enter", 250, "enter");
        dataRow("250 fonts, left", 250, "leave");
    }
    void fontChoiceByNumberOfFonts()
    {
        const auto [fonts, how] = fetch<int, QString>({"fonts", "how"});
        QStringList names;
        for (int i = 0; i < fonts; ++i)
            names << QStringLiteral("Font %1").arg(i);
        notes()->setFontNames(names);
        notes()->FontName->setText(names[1]);
        QTest::mousePress(notes()->FontName, Qt::RightButton);
        QListWidget* list = notes()->FontListBox;
        QCOMPARE(list->isVisibleTo(notes()), how != u"popup");
        QCOMPARE(m_window.popup()->isOpen(), how == u"popup");
        if (how == u"popup") {
            QTest::keyClick(m_window.popup(), Qt::Key_Escape);
        } else {
            QCOMPARE(list->count(), fonts);
            QCOMPARE(list->currentRow(), 1); // the font in use
            QVERIFY(list->hasFocus());
            if (how == u"click") {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(3)).center());
            } else if (how == u"leave") {
                notes()->FontSize->setFocus();
            } else {
                QTest::keyClick(list, Qt::Key_Down);
                QTest::keyClick(list, Qt::Key_Down);
                QTest::keyClick(list, how == u"return" ? Qt::Key_Return : Qt::Key_Enter,
                                how == u"return" ? Qt::NoModifier : Qt::KeypadModifier);
            }
            QCOMPARE(notes()->FontName->text(), how == u"leave" ? names[1] : names[3]);
            QVERIFY(!list->isVisibleTo(notes()));
            QVERIFY(pad()->hasFocus());
        }
        // The size list holds the even sizes from 6 to 28.
        QTest::mousePress(notes()->FontSize, Qt::RightButton);
        QCOMPARE(m_window.popup()->entries().size(), 12);
        QCOMPARE(m_window.popup()->entries().last(), QStringLiteral("28"));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
    }
};

QTEST_MAIN(TestNotesPanel)
#include "tst_notespanel.moc"
