// The user guide tool: turns the guide's HTML source into the rich text file that the program
// shows, written by the program's own rich-text writer and checked by reading it back.
#include "output/RtfReader.h"
#include "output/RtfWriter.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The HTML reader keeps the line end before a closing tag as a blank at the paragraph's end.
void dropTrailingBlanks(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        qsizetype end = text.size();
        while (end > 0 && text[end - 1].isSpace())
            --end;
        if (end == text.size())
            continue;
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(end));
        cursor.setPosition(block.position() + int(text.size()), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Reading HTML needs fonts and so a GUI application; the build runs it offscreen.
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err() << "usage: tarnoch-guide <guide.html> <Tarnoch.rtf>" << Qt::endl;
        return 2;
    }
    const QString sourcePath = args[1];
    const QString targetPath = args[2];

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        err() << sourcePath << ": " << source.errorString() << Qt::endl;
        return 1;
    }
    QTextDocument guide;
    guide.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    guide.setHtml(QString::fromUtf8(source.readAll()));
    dropTrailingBlanks(guide);
    const QByteArray rtf = RtfWriter::write(guide);

    // The guide is also the largest sample of our own output: it must read back unchanged.
    QTextDocument check;
    RtfReader reader;
    if (!reader.read(rtf, &check) || !reader.errorString().isEmpty() ||
        check.toPlainText() != guide.toPlainText()) {
        err() << targetPath << ": the written guide does not read back as written "
              << reader.errorString() << Qt::endl;
        return 1;
    }

    QSaveFile target(targetPath);
    if (!target.open(QIODevice::WriteOnly) || target.write(rtf) != rtf.size() || !target.commit()) {
        err() << targetPath << ": " << target.errorString() << Qt::endl;
        return 1;
    }
    return 0;
}
