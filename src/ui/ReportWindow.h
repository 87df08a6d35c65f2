#pragma once

#include <QDialog>
#include <string>

#include "core/Model.h"
#include "core/Services.h"
#include "platform/Prompter.h"

class QPlainTextEdit;
class QPushButton;
class QMenuBar;

namespace rp770::ui {

class FileDialogs;

// "Print to File": the text report in a fixed-pitch box, saved with Save As.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    // `messageCaption` titles a failed save: the model name, a space and the
    // message title.
    ReportWindow(const DataSet& data, Prompter& prompter, FileDialogs& dialogs, Clock& clock, std::string messageCaption,
                 QWidget* parent = nullptr);

    // The print queue's name for the report File > Print prints.
    void SetJobTitle(std::string title) { jobTitle_ = std::move(title); }
    // File > Print: the printed report after a preview of its pages; true when printed.
    bool Print();

    // Builds the report (normally on the first tick after the window shows).
    void BuildReport();
    // Save As; true when the file was written.
    bool SaveAs();

    bool fileError() const { return fileError_; }
    bool operationCancelled() const { return operationCancelled_; }
    QString text() const;

    // What the window shows while the report is made.
    static QString WaitingText();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const DataSet& data_;
    Prompter& prompter_;
    FileDialogs& dialogs_;
    Clock& clock_;
    std::string messageCaption_;
    std::string jobTitle_;
    bool built_ = false;
    bool fileError_ = false;
    bool operationCancelled_ = false;
    QMenuBar* menu_;
    QPlainTextEdit* txtPrn_;
    QPushButton* cmdOK_;
};

}  // namespace rp770::ui
