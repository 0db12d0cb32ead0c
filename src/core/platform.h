// The interface the window models call for everything outside them: message boxes, the
// common dialogs, the printer, the clipboard, the system beep, the web browser, the input
// method's reading of its last result, and the file system facts the models need.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class PrintSurface;

enum class MessageIcon { None, Information, Question, Warning, Error };
// YesNoCancel: Yes saves, No goes on without saving, Cancel (or the close box) stops.
// SaveAsOverwriteCancel: Yes saves under another name, No overwrites, Cancel stops.
enum class MessageButtons { Ok, YesNo, YesNoCancel, SaveAsOverwriteCancel };
enum class MessageAnswer { Ok, Yes, No, Cancelled };

struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                                     MessageIcon icon) = 0;

    // Common dialogs. A cancel (or a dialog that cannot be shown) gives std::nullopt.
    // Filters use the "description|pattern|description|pattern|" form.
    virtual std::optional<QString> showOpen(const QString& filter, int filterIndex,
                                            const QString& initialPath) = 0;
    virtual std::optional<QString> showSave(const QString& filter, int filterIndex,
                                            const QString& proposedPath) = 0;
    virtual std::optional<FontChoice> showFont(const FontChoice& initial) = 0;
    virtual std::optional<int> showColor(const QString& title, int initialBgr) = 0;
    // The folder dialog: a folder chosen by the user, starting at startFolder.
    virtual std::optional<QString> showFolder(const QString& title, const QString& startFolder) = 0;
    // The printer dialog and the print devices. jobName is the name a print job carries in
    // the printer queue and as a PDF file's title (printJobName(), e.g. "2011字楽坊 - 三年一組 -
    // 書き取り"); empty: the program's name.
    //
    // The printer dialog: the print-setup form (printer, paper, orientation) or the plain
    // print form, which proposes jobName for a PDF file. True means proceed; the chosen
    // printer then stands behind printerSurface().
    virtual bool showPrinter(bool setupForm, const QString& jobName) = 0;
    // The device of a print job: the printer chosen last (or the default one).
    virtual std::unique_ptr<PrintSurface> printerSurface(const QString& jobName) = 0;
    // The system's default printer, without a dialog; nullptr when the system has none (as
    // a platform without printers answers).
    virtual std::unique_ptr<PrintSurface> defaultPrinterSurface(const QString& jobName);
    // A PDF file standing in for a printer, in the printable area of a common printer;
    // nullptr when the file cannot be written. The file is replaced as the document ends.
    virtual std::unique_ptr<PrintSurface> pdfFileSurface(const QString& path, const QString& jobName);
    // Shows a print preview of what draw puts on a surface; the user may print the job from it.
    virtual void previewPrint(const QString& jobName, const std::function<void(PrintSurface&)>& draw) = 0;

    virtual void setClipboardText(const QString& text) = 0;
    virtual void beep() = 0;
    virtual void openUrl(const QString& url) = 0;

    // The reading of the input method's last committed result, as the input method reports
    // it (any kana width or script); empty when the text did not come from a conversion.
    virtual QString lastCommitReading() = 0;

    virtual QDateTime now() = 0;
    virtual QString currentDirectory() = 0;
    // The user's configuration folder (~/.config/jirakubo), where the settings files live.
    virtual QString configDirectory() = 0;
    // Folder holding the data files that ship with the program (base.moj, onkun.txt ...).
    virtual QString programDirectory() = 0;
};

// A settings file to read (JRB3.ini, FN.txt): the one in the current folder when it is there
// (a school's shared set-up, an old habit), else the one in the configuration folder.
QString settingsFileToRead(Platform& platform, const QString& name);
// Where a settings file is written: the configuration folder, made when missing.
QString settingsFileToWrite(Platform& platform, const QString& name);

// The folder holding the program's data files (onkun.txt, base.moj): next to the executable
// when they are there (build tree, portable copy), else the data folder of the tree the
// executable is installed in ("../share/jirakubo" from its folder), wherever that tree lies.
// Nothing is fixed at build time: a package installed under /usr and a copy installed under
// any other prefix find their own data.
QString findProgramDataDirectory(const QString& executableDirectory);
// The same for the running program.
QString programDataDirectory();
