#include "ui/Help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "ui/Tr.h"

namespace rp770::ui {

namespace {

// Where each topic starts in the help text.
QString Anchor(int topic) { return topic == kHelpTransferDialog ? "transfer" : ""; }

class HelpViewer : public QDialog {
public:
    HelpViewer(QWidget* owner, const QString& path) : QDialog(owner) {
        setObjectName("frmHelp");
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(Tr(MessageId::HelpTitle));
        browser_ = new QTextBrowser(this);
        browser_->setObjectName("txtHelp");
        browser_->setOpenExternalLinks(true);
        browser_->setSource(QUrl::fromLocalFile(path));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(browser_);
        layout->addWidget(buttons);
        resize(560, 520);
    }
    void ShowTopic(int topic) {
        const QString anchor = Anchor(topic);
        if (anchor.isEmpty())
            browser_->verticalScrollBar()->setValue(0);
        else
            browser_->scrollToAnchor(anchor);
    }

private:
    QTextBrowser* browser_;
};

}  // namespace

std::string HelpFilePath(const std::string& dataFolder) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::path(dataFolder) / kHelpFileName;
    return std::filesystem::is_regular_file(path, ec) ? path.string() : std::string();
}

void ShowHelp(QWidget* owner, Prompter& prompter, const std::string& ownerCaption, int topic,
              const std::string& dataFolder) {
    const std::string path = HelpFilePath(dataFolder);
    if (path.empty()) {
        prompter.Message(MessageText(MessageId::NoHelpAssociated).Render(), ownerCaption, Icon::Information);
        return;
    }
    static QPointer<HelpViewer> viewer;
    if (!viewer || viewer->parentWidget() != owner) {
        if (viewer) viewer->close();
        viewer = new HelpViewer(owner, QString::fromStdString(path));
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    viewer->ShowTopic(topic);
}

}  // namespace rp770::ui
