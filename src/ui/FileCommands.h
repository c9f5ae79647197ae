// The FILES menu: NEW, OPEN, CLOSE and SAVE AS of design files (*.korvell.json), and the export
// of the last search as a CSV table. The reading, checking and writing are the core's
// (record/DesignFile); this unit asks for names and answers, and shows what became of them.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "platform/PdfCanvas.h"

class QWidget;

namespace korvell {

class Desktop;

// The answers to "SAVE CHANGES TO THE DESIGN?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

// The questions the file commands ask the user; the program's own dialogs when not given.
struct FileDialogs {
    // The name to save under; `csv` is set when the user chose the CSV table. Empty: cancelled.
    std::function<QString(QWidget* parent, const QString& suggested, bool& csv)> saveName;
    // The file to open. Empty: cancelled.
    std::function<QString(QWidget* parent, const QString& folder)> openName;
    // The name to export a SPICE model under. Empty: cancelled.
    std::function<QString(QWidget* parent, const QString& suggested)> spiceModelName;
    // The name to export a design file under (the report, the MAS document), asked with the
    // export's caption and file filter. Empty: cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& suggested,
                          const QString& filter)>
        exportName;
    // The name to save a graph under (SVG). Empty: cancelled.
    std::function<QString(QWidget* parent, const QString& suggested)> graphName;
    // A question answered OK (true) or Cancel.
    std::function<bool(QWidget* parent, const QString& text, const QString& caption)> confirm;
    // A question answered SAVE, DISCARD or CANCEL.
    std::function<SaveChangesAnswer(QWidget* parent, const QString& text, const QString& caption)>
        saveChanges;
};

// The program's own dialogs: Qt's file dialogs and a message box with OK and Cancel.
FileDialogs standardFileDialogs();

// The paper a report is printed on: Letter where the system's locale measures in US units, else
// A4.
PaperSize reportPaper();

class FileCommands {
  public:
    FileCommands(Desktop& desktop, FileDialogs dialogs);

    // NEW: every setting back to its start-up value, after asking when the inputs differ from
    // those. False when the user kept the inputs.
    bool newDesign();
    // OPEN: a design file into the record, whole or not at all. True when a file was opened.
    bool openDesign();
    // CLOSE: the current file name is forgotten; the inputs stay.
    void closeDesign();
    // SAVE AS: the inputs and the last search into a design file, or the last search as CSV.
    bool saveDesignAs();

    // EXPORT SPICE MODEL: asks for a name (`fileName` in the home folder suggested, ".cir" added
    // when the name has no suffix of its own) and writes the model text atomically. False when
    // cancelled or not written (a message says why).
    bool exportSpiceModel(QWidget* parent, const std::string& fileName, const std::string& text);

    // What an export of a design writes: its dialog's caption (also the caption of a failure's
    // message), file filter and the suffix added to a name without one.
    struct Export {
        const char* caption;
        const char* filter;
        const char* suffix;
    };
    static const Export kReport;
    static const Export kMas;
    // Asks for a name (`fileName` in the home folder suggested) and writes `bytes` atomically.
    // False when cancelled or not written (a message says why).
    bool exportDesignFile(QWidget* parent, const Export& kind, const std::string& fileName,
                          const std::string& bytes);
    // FILES > DESIGN REPORT: the report of the highlighted design of the last search. False,
    // after a message, when there is none or it cannot be made; false when cancelled.
    bool designReport();
    // Whether the design holds changes accepted since the last NEW, OPEN or SAVE; the main
    // window's caption carries the modified mark while it does.
    bool designModified() const { return m_modified; }
    void setDesignModified(bool modified);
    // Before work is put away (the program closes, NEW, OPEN): with changes, asks "SAVE CHANGES
    // TO THE DESIGN?"; SAVE saves (through SAVE AS when there is no file yet). False when the
    // user cancelled, or the save did not happen: the work stays.
    bool settleChanges();
    // SAVE: into the file opened or saved last, else SAVE AS.
    bool saveDesign();

    // SAVE GRAPH: asks for a name (`fileName` in the home folder suggested, ".svg" added when
    // the name has no suffix of its own) and writes the graph's SVG text atomically. False when
    // cancelled or not written (a message says why).
    bool saveGraph(QWidget* parent, const std::string& fileName, const std::string& svg);

    // The design file opened or saved last; empty when none.
    const QString& fileName() const { return m_fileName; }
    // The main window's caption: the program's, then the file's name when there is one.
    QString mainCaption() const;

  private:
    void fileNameChanged(const QString& name);

    Desktop& m_desktop;
    FileDialogs m_dialogs;
    QString m_fileName;
    bool m_modified = false;
};

}  // namespace korvell
