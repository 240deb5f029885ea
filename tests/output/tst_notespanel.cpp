#include "../support/DataRows.h"
#include "../support/MainWindow.h"
#include "output/NotesEdit.h"
#include "output/NotesPanel.h"

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
    NotesEdit* pad() { return static_cast<NotesEdit*>(notes()->Notepad); }

private slots:
    void init()
    {
        m_window.open(TMainForm::Panel::Notes);
        pad()->setFocus();
    }
    void cleanup() { m_window.form.reset(); }

    void sizeBoxAppliesWholeNumbers()
    {
        QTest::keyClicks(pad(), QStringLiteral("Sized"));
        pad()->selectAll();
        notes()->FontSize->clear();
        QCOMPARE(pad()->textCursor().charFormat().intProperty(QTextFormat::FontPixelSize), 13);
        QTest::keyClicks(notes()->FontSize, QStringLiteral("12"));
        QCOMPARE(pad()->textCursor().charFormat().fontPointSize(), 12.0);
        notes()->FontName->setText(QStringLiteral("Lucida Handwriting"));
        QCOMPARE(pad()->textCursor().charFormat().fontFamilies().toStringList().value(0),
                 QStringLiteral("Lucida Handwriting"));
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

    void richTextPastedKeepsItsStyles()
    {
        QMimeData wordPad;
        wordPad.setData(QStringLiteral("text/rtf"),
                        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bold\\b0  \\'e9t\\'e9\\par}");
        pad()->insertFromMimeData(&wordPad);
        QCOMPARE(pad()->toPlainText(), QStringLiteral("plain bold été"));
        QTextCursor bold(pad()->document());
        bold.setPosition(8);
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    }

    void fontChoiceByNumberOfFonts_data()
    {
        columns<int, bool>({"fonts", "listBox"});
        QTest::newRow("150 fonts") << 150 << false;
        QTest::newRow("250 fonts") << 250 << true;
    }
    void fontChoiceByNumberOfFonts()
    {
        QFETCH(int, fonts);
        QStringList names;
        for (int i = 0; i < fonts; ++i)
            names << QStringLiteral("Font %1").arg(i);
        notes()->setFontNames(names);
        QTest::mousePress(notes()->FontName, Qt::RightButton);
        QFETCH(bool, listBox);
        QCOMPARE(notes()->FontListBox->isVisibleTo(notes()), listBox);
        QCOMPARE(m_window.popup()->isOpen(), !listBox);
        if (listBox) {
            QCOMPARE(notes()->FontListBox->count(), fonts);
            QTest::mouseClick(notes()->FontListBox->viewport(), Qt::LeftButton, {},
                              notes()->FontListBox->visualItemRect(notes()->FontListBox->item(3)).center());
            QCOMPARE(notes()->FontName->text(), QStringLiteral("Font 3"));
            QVERIFY(!notes()->FontListBox->isVisibleTo(notes()));
        } else {
            QTest::keyClick(m_window.popup(), Qt::Key_Escape);
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
