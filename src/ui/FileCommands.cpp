#include "ui/FileCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "files/DesignFile.h"
#include "files/ResultsCsv.h"
#include "platform/Format.h"
#include "platform/qt/QtText.h"
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

constexpr const char* kGraphCaption = "SAVE GRAPH";
constexpr const char* kGraphFilter = "SVG drawings (*.svg);;All files (*)";
constexpr const char* kSaveChangesQuestion = "SAVE CHANGES TO THE DESIGN?";

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
    dialogs.graphName = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, kGraphCaption, suggested, kGraphFilter);
    };
    dialogs.confirm = [](QWidget* parent, const QString& text, const QString& caption) {
        return QMessageBox::question(parent, caption, text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    dialogs.saveChanges = [](QWidget* parent, const QString& text, const QString& caption) {
        QMessageBox box(QMessageBox::Question, caption, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setObjectName("SaveChangesBox");
        box.button(QMessageBox::Save)->setText("&SAVE");
        box.button(QMessageBox::Discard)->setText("&DISCARD");
        box.button(QMessageBox::Cancel)->setText("CANCEL");
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
            case QMessageBox::Save:
                return SaveChangesAnswer::Save;
            case QMessageBox::Discard:
                return SaveChangesAnswer::Discard;
            default:
                return SaveChangesAnswer::Cancel;
        }
    };
    return dialogs;
}

FileCommands::FileCommands(Desktop& desktop, FileDialogs dialogs)
    : m_desktop(desktop), m_dialogs(std::move(dialogs)) {
    if (!m_dialogs.spiceModelName) m_dialogs.spiceModelName = standardFileDialogs().spiceModelName;
    if (!m_dialogs.exportName) m_dialogs.exportName = standardFileDialogs().exportName;
    if (!m_dialogs.saveChanges) m_dialogs.saveChanges = standardFileDialogs().saveChanges;
    if (!m_dialogs.graphName) m_dialogs.graphName = standardFileDialogs().graphName;
}

const FileCommands::Export FileCommands::kReport = {
    "DESIGN REPORT", "Design reports (*.pdf);;All files (*)", ".pdf"};
const FileCommands::Export FileCommands::kMas = {
    "EXPORT MAS", "MAS magnetic documents (*.mas.json *.json);;All files (*)", ".mas.json"};

bool FileCommands::exportDesignFile(QWidget* parent, const Export& kind,
                                    const std::string& fileName, const std::string& bytes) {
    const QString suggested = QDir::home().filePath(toQ(fileName));
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
    // "[*]" is where the window shows its modified mark.
    if (m_fileName.isEmpty()) return QString(kMainCaption) + "[*]";
    return QString(kMainCaption) + " - " + QFileInfo(m_fileName).fileName() + "[*]";
}

void FileCommands::setDesignModified(bool modified) {
    m_modified = modified;
    m_desktop.mainWindow().setWindowModified(modified);
}

bool FileCommands::settleChanges() {
    if (!m_modified) return true;
    switch (m_dialogs.saveChanges(&m_desktop.mainWindow(), kSaveChangesQuestion, "NOTICE: ")) {
        case SaveChangesAnswer::Save:
            return saveDesign();
        case SaveChangesAnswer::Discard:
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

bool FileCommands::saveDesign() {
    if (m_fileName.isEmpty() || !m_fileName.endsWith(toQ(kDesignFileSuffix), Qt::CaseInsensitive))
        return saveDesignAs();
    if (const auto failure = saveDesignFile(m_fileName.toStdString(), m_desktop.record())) {
        m_desktop.messages().show(*failure, kDesignFileCaption);
        return false;
    }
    setDesignModified(false);
    return true;
}

void FileCommands::fileNameChanged(const QString& name) {
    m_fileName = name;
    m_desktop.mainWindow().setWindowTitle(mainCaption());
}

bool FileCommands::newDesign() {
    QWidget* parent = &m_desktop.mainWindow();
    // Unsaved changes are settled first; settings kept in a file are only confirmed.
    if (m_modified) {
        if (!settleChanges()) return false;
    } else if (!inputsAtStartUpValues(m_desktop.record()) &&
               !m_dialogs.confirm(parent, kNewQuestion, "NOTICE: ")) {
        return false;
    }
    m_desktop.closeOtherWindows();
    m_desktop.record() = DesignRecord();
    m_desktop.recordReplaced();
    fileNameChanged({});
    setDesignModified(false);
    return true;
}

bool FileCommands::openDesign() {
    QWidget* parent = &m_desktop.mainWindow();
    if (!settleChanges()) return false;
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
    setDesignModified(false);
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
    name = withSuffix(name, toQ(kDesignFileSuffix));
    if (const auto failure = saveDesignFile(name.toStdString(), record)) {
        m_desktop.messages().show(*failure, kDesignFileCaption);
        return false;
    }
    fileNameChanged(name);
    setDesignModified(false);
    return true;
}

bool FileCommands::exportSpiceModel(QWidget* parent, const std::string& fileName,
                                    const std::string& text) {
    const QString suggested = QDir::home().filePath(toQ(fileName));
    QString name = m_dialogs.spiceModelName(parent, suggested);
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += kSpiceSuffix;
    if (const auto failure = writeFileAtomically(name.toStdString(), text)) {
        m_desktop.messages().show(*failure, kExportCaption);
        return false;
    }
    return true;
}

bool FileCommands::saveGraph(QWidget* parent, const std::string& fileName, const std::string& svg) {
    const QString suggested = QDir::home().filePath(toQ(fileName));
    QString name = m_dialogs.graphName(parent, suggested);
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += ".svg";
    if (const auto failure = writeFileAtomically(name.toStdString(), svg)) {
        m_desktop.messages().show(*failure, kGraphCaption);
        return false;
    }
    return true;
}

}  // namespace korvell
