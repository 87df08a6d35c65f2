#pragma once
// Nothing lost: while the window's data have unsaved changes, a copy of the
// session is kept aside (KeptSessions.h), at most a second after a change,
// so that a crash or a killed process loses nothing; saving, discarding or
// closing the window on purpose takes it away. On the next start the copies
// of windows that ended without saving are offered back, newest first, one
// question each with the file's name and the time: Restore puts the data
// back exactly as they were, still unsaved, with the same file to save to
// (the other copies wait for the next start); Discard removes the copy;
// Later keeps it.

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "desktop/KeptSessions.h"
#include "platform/Prompter.h"
#include "session/AppSession.h"

class QWidget;

namespace rp770::ui {

enum class KeptChoice { Restore, Discard, Later };

struct KeptOffer {
    std::string fileName;  // empty for data without a file
    std::string keptAt;    // UTC, ISO 8601
};

class HotExit : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1000;
    using Ask = std::function<KeptChoice(const KeptOffer&)>;

    // `ask` answers the offers (by default a message box over `window`);
    // `prompter` shows what a refused copy says.
    HotExit(AppSession& session, KeptSessions& keeper, Prompter& prompter, QWidget* window, Ask ask = {},
            int delayMs = kDelayMs);
    ~HotExit() override;

    // Offers the waiting copies; true when one was restored.
    bool OfferWaiting();
    // A copy due is kept at once.
    void KeepNow();
    // The window closed on purpose: its copy goes.
    void Finish();

    // The question's text for an offer, in the window's language.
    static QString OfferText(const KeptOffer& offer);

signals:
    void kept();  // a copy was written

private:
    void Changed();
    KeptChoice AskInBox(const KeptOffer& offer);

    AppSession& session_;
    KeptSessions& keeper_;
    Prompter& prompter_;
    QWidget* window_;
    Ask ask_;
    QTimer timer_;
    Subscription subscription_;
    bool finished_ = false;
};

}  // namespace rp770::ui
