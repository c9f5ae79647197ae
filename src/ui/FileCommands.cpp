#include "ui/FileCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

#include "files/DesignFile.h"
#include "files/ResultsCsv.h"
#include "platform/Format.h"
#include "record/ResultCells.h"
#include "report/DesignReport.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"

namespace korvell {
namespace {

constexpr const char* kMainCaption = "KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS";
constexpr const char* kDesignFilter = "Korvell design files (*.korvell.json)";
constexpr const char* kCsvFilter = "Results table, comma-separated values (*.csv)";
constexpr const char* kSpiceFilter = "SPICE models (*.cir);;All files (*)";
constexpr const char* kSpiceSuffix = ".cir";
constexpr const char* kExportCaption = "EXPORT SPICE MODEL";
constexpr const char* kNewQuestion =
    "START A NEW DESIGN?  EVERY REQUIREMENT, PARAMETER AND SELECTION GOES BACK TO ITS START-UP "
    "VALUE.";

QString withSuffix(QString name, const QString& suffix) {
    if (!name.endsWith(suffix, Qt::CaseInsensitive)) name += suffix;
    return name;
}

}  // namespace

PaperSize reportPaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? kLetterPaper
                                                                              : kA4Paper;
}

FileDialogs standardFileDialogs() {
    FileDialogs dialogs;
    dialogs.saveName = [](QWidget* parent, const QString& suggested, bool& csv) {
        QString filter;
        const QString name = QFileDialog::getSaveFileName(
            parent, "SAVE AS", suggested, QString(kDesignFilter) + ";;" + kCsvFilter, &filter);
        csv = filter == kCsvFilter || name.endsWith(".csv", Qt::CaseInsensitive);
        return name;
    };
    dialogs.openName = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, "OPEN", folder,
                                            QString(kDesignFilter) + ";;All files (*)");
    };
    dialogs.spiceModelName = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, kExportCaption, suggested, kSpiceFilter);
    };
    dialogs.exportName = [](QWidget* parent, const QString& caption, const QString& suggested,
                            const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    dialogs.confirm = [](QWidget* parent, const QString& text, const QString& caption) {
        return QMessageBox::question(parent, caption, text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    return dialogs;
}

FileCommands::FileCommands(Desktop& desktop, FileDialogs dialogs)
    : m_desktop(desktop), m_dialogs(std::move(dialogs)) {
    if (!m_dialogs.spiceModelName) m_dialogs.spiceModelName = standardFileDialogs().spiceModelName;
    if (!m_dialogs.exportName) m_dialogs.exportName = standardFileDialogs().exportName;
}

const FileCommands::Export FileCommands::kReport = {
    "DESIGN REPORT", "Design reports (*.pdf);;All files (*)", ".pdf"};
const FileCommands::Export FileCommands::kMas = {
    "EXPORT MAS", "MAS magnetic documents (*.mas.json *.json);;All files (*)", ".mas.json"};

bool FileCommands::exportDesignFile(QWidget* parent, const Export& kind,
                                    const std::string& fileName, const std::string& bytes) {
    const QString suggested = QDir::home().filePath(QString::fromStdString(fileName));
    QString name = m_dialogs.exportName(parent, kind.caption, suggested, kind.filter);
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += kind.suffix;
    if (const auto failure = writeFileAtomically(name.toStdString(), bytes)) {
        m_desktop.messages().show(*failure, kind.caption);
        return false;
    }
    return true;
}

bool FileCommands::designReport() {
    const DesignRecord& record = m_desktop.record();
    if (record.designCount <= 0) {
        m_desktop.messages().show(
            "NO DESIGN TO REPORT: RUN A DESIGN SEARCH, OR USE REPORT IN THE ANALYSIS WINDOW",
            "NOTICE: ");
        return false;
    }
    const auto input = reportInputOfResultsRow(record, record.selectedDesign, m_desktop.messages());
    if (!input) return false;
    ReportOptions options;
    options.paper = reportPaper();
    options.dateText = standardDateText(localNow());
    std::string error;
    const auto bytes = designReportPdf(*input, options, error);
    if (!bytes) {
        m_desktop.messages().show(error, kReport.caption);
        return false;
    }
    return exportDesignFile(&m_desktop.mainWindow(), kReport, reportFileName(input->record),
                            *bytes);
}

QString FileCommands::mainCaption() const {
    if (m_fileName.isEmpty()) return kMainCaption;
    return QString(kMainCaption) + " - " + QFileInfo(m_fileName).fileName();
}

void FileCommands::fileNameChanged(const QString& name) {
    m_fileName = name;
    m_desktop.mainWindow().setWindowTitle(mainCaption());
}

bool FileCommands::newDesign() {
    QWidget* parent = &m_desktop.mainWindow();
    if (!inputsAtStartUpValues(m_desktop.record()) &&
        !m_dialogs.confirm(parent, kNewQuestion, "NOTICE: ")) {
        return false;
    }
    m_desktop.closeOtherWindows();
    m_desktop.record() = DesignRecord();
    m_desktop.recordReplaced();
    fileNameChanged({});
    return true;
}

bool FileCommands::openDesign() {
    QWidget* parent = &m_desktop.mainWindow();
    const QString folder =
        m_fileName.isEmpty() ? QDir::homePath() : QFileInfo(m_fileName).absolutePath();
    const QString name = m_dialogs.openName(parent, folder);
    if (name.isEmpty()) return false;
    DesignRecord opened;
    if (const auto refusal = openDesignFile(name.toStdString(), opened)) {
        m_desktop.messages().show(*refusal, kDesignFileCaption);
        return false;
    }
    // The windows let go of the old record (a selector writes its boxes as it closes) before
    // the file's record takes its place.
    m_desktop.closeOtherWindows();
    m_desktop.record() = std::move(opened);
    m_desktop.recordReplaced();
    fileNameChanged(name);
    // A file that holds a search is opened for review: its designs are shown.
    if (m_desktop.record().designCount > 0) m_desktop.showResultsAnew();
    return true;
}

void FileCommands::closeDesign() {
    fileNameChanged({});
}

bool FileCommands::saveDesignAs() {
    QWidget* parent = &m_desktop.mainWindow();
    const QString suggested =
        m_fileName.isEmpty() ? QDir::home().filePath("design.korvell.json") : m_fileName;
    bool csv = false;
    QString name = m_dialogs.saveName(parent, suggested, csv);
    if (name.isEmpty()) return false;
    const DesignRecord& record = m_desktop.record();
    if (csv) {
        name = withSuffix(name, ".csv");
        const std::string table = resultsCsv(record, {kElectricalDisplay, kDimensionsDisplay});
        if (const auto failure = writeFileAtomically(name.toStdString(), table)) {
            m_desktop.messages().show(*failure, kDesignFileCaption);
            return false;
        }
        return true;
    }
    name = withSuffix(name, QString::fromUtf8(kDesignFileSuffix.data(),
                                              static_cast<qsizetype>(kDesignFileSuffix.size())));
    if (const auto failure = saveDesignFile(name.toStdString(), record)) {
        m_desktop.messages().show(*failure, kDesignFileCaption);
        return false;
    }
    fileNameChanged(name);
    return true;
}

bool FileCommands::exportSpiceModel(QWidget* parent, const std::string& fileName,
                                    const std::string& text) {
    const QString suggested = QDir::home().filePath(QString::fromStdString(fileName));
    QString name = m_dialogs.spiceModelName(parent, suggested);
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += kSpiceSuffix;
    if (const auto failure = writeFileAtomically(name.toStdString(), text)) {
        m_desktop.messages().show(*failure, kExportCaption);
        return false;
    }
    return true;
}

}  // namespace korvell
