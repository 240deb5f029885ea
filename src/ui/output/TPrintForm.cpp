#include "TPrintForm.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "output/Pictures.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

using namespace SheetFonts;

constexpr int ButtonTop = 113;
constexpr int ButtonWidth = 90;
constexpr int TickSize = 13;
constexpr QPoint SheetTick(24, 44);
constexpr QPoint NotesTick(84, 44);
constexpr QPoint LogTick(144, 44);
constexpr QPoint PdfTick(24, 66);
constexpr QPoint FoundryTick(24, 88);
constexpr int LabelGap = 4; // between a tick and its label

// A tick box for the dark green dialogs: sunk into the field, framed and ticked in the
// caption colour.
QImage greenTick(bool ticked)
{
    QImage picture(TickSize, TickSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient well(0, 0, 0, TickSize);
    well.setColorAt(0, QColor(0, 12, 0));
    well.setColorAt(1, QColor(0, 44, 6));
    painter.setPen(QPen(CaptionColour, 1));
    painter.setBrush(well);
    painter.drawRoundedRect(QRectF(0.5, 0.5, TickSize - 1, TickSize - 1), 1.5, 1.5);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(3.0, 6.6);
        tick.lineTo(5.4, 9.4);
        tick.lineTo(10.2, 3.0);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 8, 0), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
        painter.setPen(
            QPen(QColor(150, 230, 176), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    }
    return picture;
}

void caption(QLabel* label)
{
    label->setTextFormat(Qt::PlainText);
    setTextColour(label, CaptionColour);
}

} // namespace

QImage TPrintForm::greenChecked()
{
    static const QImage image = greenTick(true);
    return image;
}

QImage TPrintForm::greenUnchecked()
{
    static const QImage image = greenTick(false);
    return image;
}

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFixedSize(200, 165);
    setPalette(QPalette(Qt::white));
    createBackground();
    createTicks();
    createButtons();
    createWaitLabels();
    setPrinterAvailable(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TPrintForm::createBackground()
{
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("BGImage"));
    image->setGeometry(rect());
    image->setPixmap(QPixmap::fromImage(Pictures::printDialogBackground()));

    auto* title = new QLabel(tr("Print"), this);
    title->setObjectName(QStringLiteral("Caption"));
    caption(title);
    title->setFont(face(Blackletter, 21));
    title->setGeometry(0, 6, width(), 27);
    title->setAlignment(Qt::AlignCenter);
}

void TPrintForm::createTicks()
{
    Sheet = createTick(QStringLiteral("Sheet"), SheetTick);
    SheetLabel = createLabel(QStringLiteral("SheetLabel"), tr("Sheet"), SheetTick);
    Notes = createTick(QStringLiteral("Notes"), NotesTick);
    NotesLabel = createLabel(QStringLiteral("NotesLabel"), tr("Notes"), NotesTick);
    Log = createTick(QStringLiteral("Log"), LogTick);
    LogLabel = createLabel(QStringLiteral("LogLabel"), tr("Log"), LogTick);
    Pdf = createTick(QStringLiteral("Pdf"), PdfTick);
    PdfLabel = createLabel(QStringLiteral("PdfLabel"), tr("To a PDF file"), PdfTick);
    Foundry = createTick(QStringLiteral("Foundry"), FoundryTick);
    FoundryLabel =
        createLabel(QStringLiteral("FoundryLabel"), tr("To a Foundry VTT file"), FoundryTick);
    for (ClickLabel* part : {Sheet, SheetLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::SheetMouseDown);
    for (ClickLabel* part : {Notes, NotesLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::NotesMouseDown);
    for (ClickLabel* part : {Log, LogLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::LogMouseDown);
    for (ClickLabel* part : {Pdf, PdfLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::PdfMouseDown);
    for (ClickLabel* part : {Foundry, FoundryLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::FoundryMouseDown);
}

ClickLabel* TPrintForm::createTick(const QString& name, QPoint position)
{
    auto* tick = new ClickLabel(this);
    tick->setObjectName(name);
    tick->setGeometry(QRect(position, QSize(TickSize, TickSize)));
    return tick;
}

ClickLabel* TPrintForm::createLabel(const QString& name, const QString& text, QPoint tick)
{
    auto* label = new ClickLabel(text, this);
    label->setObjectName(name);
    caption(label);
    label->setFont(face(Times, 13));
    label->adjustSize();
    label->move(tick.x() + TickSize + LabelGap, tick.y() + (TickSize - label->height()) / 2);
    return label;
}

void TPrintForm::createButtons()
{
    PrintButton = createButton(QStringLiteral("PrintButton"), 8, tr("Print"), &PrintButtonLabel);
    CancelButton =
        createButton(QStringLiteral("CancelButton"), 104, tr("Cancel"), &CancelButtonLabel);
    for (ClickLabel* part : {PrintButton, PrintButtonLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::PrintButtonClick);
    for (ClickLabel* part : {CancelButton, CancelButtonLabel})
        connect(part, &ClickLabel::pressed, this, &TPrintForm::CancelButtonClick);
}

ClickLabel* TPrintForm::createButton(const QString& name, int left, const QString& text,
                                     ClickLabel** label)
{
    auto* button = new ClickLabel(this);
    button->setObjectName(name);
    button->setGeometry(left, ButtonTop, ButtonWidth, 31);
    button->setPixmap(QPixmap::fromImage(Pictures::dialogButton()));
    button->setScaledContents(true);

    *label = new ClickLabel(text, this);
    (*label)->setObjectName(name + QStringLiteral("Label"));
    caption(*label);
    (*label)->setFont(face(Times, 13));
    (*label)->setAlignment(Qt::AlignCenter);
    (*label)->setGeometry(button->geometry());
    return button;
}

void TPrintForm::createWaitLabels()
{
    const QString texts[2] = {tr("Printing..."), tr("Please wait.")};
    QLabel** labels[2] = {&Wait1, &Wait2};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(texts[i], this);
        label->setObjectName(QStringLiteral("Wait%1").arg(i + 1));
        caption(label);
        label->setFont(face(Times, 13));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(0, ButtonTop + 1 + i * 16, width(), 16);
        label->hide();
        *labels[i] = label;
    }
}

void TPrintForm::setPrinterAvailable(bool available)
{
    m_printerAvailable = available;
    // Without a printer the PDF file is the only way out, so it is stated, not offered.
    Pdf->setVisible(available);
    if (available) {
        PdfLabel->setText(tr("To a PDF file"));
        PdfLabel->adjustSize();
        PdfLabel->move(PdfTick.x() + TickSize + LabelGap,
                       PdfTick.y() + (TickSize - PdfLabel->height()) / 2);
        PdfLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        PdfLabel->setText(tr("No printer: to a PDF file"));
        PdfLabel->setGeometry(0, PdfLabel->y(), width(), PdfLabel->height());
        PdfLabel->setAlignment(Qt::AlignCenter);
    }
    showTicks();
}

int TPrintForm::ShowModal()
{
    m_printSheet = true;
    m_printNotes = true;
    m_printLog = false;
    m_toPdf = false;
    m_toFoundry = false;
    m_lastError.clear();
    showTicks();
    return exec();
}

void TPrintForm::showTicks()
{
    auto picture = [](bool ticked) {
        return QPixmap::fromImage(ticked ? greenChecked() : greenUnchecked());
    };
    Sheet->setPixmap(picture(m_printSheet));
    Notes->setPixmap(picture(m_printNotes));
    Log->setPixmap(picture(m_printLog));
    Pdf->setPixmap(picture(m_toPdf));
    Foundry->setPixmap(picture(m_toFoundry));
    PrintButtonLabel->setText(m_toFoundry ? tr("Export") : tr("Print"));
    Wait1->setText(m_toFoundry ? tr("Exporting...") : tr("Printing..."));
}

void TPrintForm::SheetMouseDown()
{
    m_printSheet = !m_printSheet;
    showTicks();
}

void TPrintForm::NotesMouseDown()
{
    m_printNotes = !m_printNotes;
    showTicks();
}

void TPrintForm::LogMouseDown()
{
    m_printLog = !m_printLog;
    showTicks();
}

// The PDF file and the Foundry VTT file are two places for Print to go: one at a time.
void TPrintForm::PdfMouseDown()
{
    if (!m_printerAvailable)
        return;
    m_toPdf = !m_toPdf;
    m_toFoundry = m_toFoundry && !m_toPdf;
    showTicks();
}

void TPrintForm::FoundryMouseDown()
{
    m_toFoundry = !m_toFoundry;
    m_toPdf = m_toPdf && !m_toFoundry;
    showTicks();
}

void TPrintForm::PrintButtonClick()
{
    m_lastError.clear();
    if (!m_toFoundry && !m_printSheet && !m_printNotes && !m_printLog) {
        accept();
        return;
    }
    QString file;
    if (m_toFoundry || PdfFlag()) {
        const std::function<QString()>& choose =
            m_toFoundry ? m_jobs.ChooseFoundryFile : m_jobs.ChoosePdfFile;
        if (!choose || !(m_toFoundry ? bool(m_jobs.WriteFoundry) : bool(m_jobs.WritePdf))) {
            m_lastError = m_toFoundry ? tr("Exporting to Foundry VTT is not available.")
                                      : tr("Writing a PDF file is not available.");
            reject();
            return;
        }
        // Chosen before the wait, as choosing may open a file dialog.
        file = choose();
        if (file.isEmpty())
            return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    showWaiting(true);
    m_lastError = runJobs(file);
    showWaiting(false);
    QGuiApplication::restoreOverrideCursor();
    if (m_lastError.isEmpty())
        accept();
    else
        reject();
}

QString TPrintForm::runJobs(const QString& file)
{
    if (m_toFoundry)
        return m_jobs.WriteFoundry(file);
    if (!file.isEmpty())
        return m_jobs.WritePdf(file, m_printSheet, m_printNotes, m_printLog);
    const std::pair<bool, const std::function<QString()>*> jobs[] = {
        {m_printSheet, &m_jobs.PrintSheet},
        {m_printNotes, &m_jobs.PrintNotes},
        {m_printLog, &m_jobs.PrintLog}};
    for (const auto& [wanted, job] : jobs) {
        if (!wanted)
            continue;
        if (!*job)
            return tr("Printing is not available.");
        if (QString error = (*job)(); !error.isEmpty())
            return error;
    }
    return {};
}

void TPrintForm::showWaiting(bool waiting)
{
    for (QWidget* part : {PrintButton, PrintButtonLabel, CancelButton, CancelButtonLabel})
        part->setVisible(!waiting);
    Wait1->setVisible(waiting);
    Wait2->setVisible(waiting);
    if (waiting)
        repaint();
}

void TPrintForm::CancelButtonClick()
{
    reject();
}

void TPrintForm::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event);
}

void TPrintForm::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        CancelButtonClick();
    else
        QDialog::keyPressEvent(event);
}
