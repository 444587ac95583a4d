#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QString>

#include "paramset/InstrumentSetReader.h"
#include "paramset/ParameterDownload.h"
#include "paramset/ParameterSet.h"

class CompareDialog;
class DownloadDialog;
class InstrumentLink;
class PortConnection;
class QPushButton;
class QWidget;
enum class StatusSeverity;

// The configuration window's parameter set commands: "保存参数", "比较参数",
// "下载参数" and "打印参数表". Every value shown, saved, compared or printed
// as the instrument's is read fresh through the link; nothing waits for the
// line, each step goes on from the signal of the one before. A download
// writes nothing until the operator confirms its preview. What happened,
// and any refusal with its reason, is told through told() for the window's
// status line.
class ParameterSetCommands : public QObject {
    Q_OBJECT

public:
    enum class FileRole { OpenSet, SaveSet, SavePdf };
    // Asks the operator for a file and calls back with the path; never
    // when the operator cancels. A test answers without a dialog.
    using FileChooser = std::function<void(FileRole role, std::function<void(const QString& path)> chosen)>;

    // The connection names the device a saved set was read from.
    ParameterSetCommands(InstrumentLink& link, const PortConnection& connection, QWidget& window);

    QPushButton* saveButton() const { return save_; }
    QPushButton* compareButton() const { return compare_; }
    QPushButton* downloadButton() const { return download_; }
    QPushButton* printButton() const { return print_; }

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // From the operator's "下载" until the report.
    bool downloading() const { return downloader_.busy(); }

    void save();
    void compare();
    void download();
    // The instrument's parameters, read fresh, or a file's; to a printer
    // through the print dialog or into a PDF file.
    void printInstrument(bool toPdf);
    void printFile(bool toPdf);

    // The last dialog opened, while it is open.
    CompareDialog* compareDialog() const;
    DownloadDialog* downloadDialog() const;

signals:
    void told(const QString& text, StatusSeverity severity);

private:
    using AfterRead = std::function<void(const ParameterSet& instrument)>;

    void readFresh(const QString& refused, AfterRead next);
    void onFreshRead(const SetReading& reading);
    // The set in the file, or nothing after telling why it cannot be used.
    std::optional<ParameterSet> loadFile(const QString& path, const QString& refused);
    void showComparison(const QString& path, const ParameterSet& file, const ParameterSet& instrument);
    void showPreview(const QString& path, const ParameterSet& file, const ParameterSet& instrument);
    void startDownload(const ParameterSet& file);
    void onDownloadFinished(const DownloadReport& report);
    void print(const ParameterSet& set, const QString& source, bool toPdf);
    void say(const QString& text, StatusSeverity severity);
    static void chooseWithDialog(QWidget& window, FileRole role, std::function<void(const QString&)> chosen);

    QWidget& window_;
    const PortConnection& connection_;
    InstrumentSetReader reader_;
    ParameterDownload downloader_;
    FileChooser chooseFile_;
    // What to do with the fresh read, and the words for a failed one.
    AfterRead afterRead_;
    QString readRefused_;
    QPointer<CompareDialog> compareDialog_;
    QPointer<DownloadDialog> downloadDialog_;
    QPushButton* save_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* print_ = nullptr;
};
