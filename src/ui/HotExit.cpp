#include "ui/HotExit.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/Tr.h"

namespace rp770::ui {

HotExit::HotExit(AppSession& session, KeptSessions& keeper, Prompter& prompter, QWidget* window, Ask ask, int delayMs)
    : session_(session), keeper_(keeper), prompter_(prompter), window_(window), ask_(std::move(ask)) {
    if (!ask_) ask_ = [this](const KeptOffer& offer) { return AskInBox(offer); };
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &HotExit::KeepNow);
    subscription_ = session_.workspace().Subscribe([this](const ChangeNotice&) { Changed(); });
}

HotExit::~HotExit() = default;

void HotExit::Changed() {
    if (finished_) return;
    if (session_.workspace().modified()) {
        // At most the delay after the first change, however fast the user types.
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
        keeper_.Forget();
    }
}

void HotExit::KeepNow() {
    timer_.stop();
    if (finished_ || !session_.workspace().modified()) return;
    // A copy that cannot be written leaves the work as it is; the next change tries again.
    if (keeper_.Keep(session_.TakeSnapshot(UtcTimeNow())).Ok()) emit kept();
}

void HotExit::Finish() {
    finished_ = true;
    timer_.stop();
    subscription_.Reset();
    keeper_.Forget();
}

QString HotExit::OfferText(const KeptOffer& offer) {
    const std::string shown = ShownKeptTime(offer.keptAt);
    return offer.fileName.empty() ? Tr({MessageId::HotExitOfferUnnamed, shown})
                                  : Tr({MessageId::HotExitOffer, offer.fileName, shown});
}

KeptChoice HotExit::AskInBox(const KeptOffer& offer) {
    QMessageBox box(QMessageBox::Question, Tr(MessageId::HotExitTitle), OfferText(offer), QMessageBox::NoButton,
                    window_);
    QPushButton* restore = box.addButton(Tr(MessageId::ButtonRestore), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Tr(MessageId::ButtonDiscard), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(Tr(MessageId::ButtonLater), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore) return KeptChoice::Restore;
    if (box.clickedButton() == discard) return KeptChoice::Discard;
    return KeptChoice::Later;
}

bool HotExit::OfferWaiting() {
    for (const KeptCopy& copy : keeper_.Waiting()) {
        const KeptOffer offer{SnapshotFileName(copy.snapshot), copy.snapshot.keptAt};
        switch (ask_(offer)) {
            case KeptChoice::Later: continue;
            case KeptChoice::Discard: KeptSessions::Remove(copy.path); continue;
            case KeptChoice::Restore: break;
        }
        const Outcome restored = session_.RestoreSnapshot(copy.snapshot);
        ShowMessages(prompter_, restored.messages);
        if (restored.Failed()) continue;
        // This window keeps the data now: its own copy first, then the old one goes.
        KeepNow();
        if (keeper_.keeping()) KeptSessions::Remove(copy.path);
        return true;
    }
    return false;
}

}  // namespace rp770::ui
