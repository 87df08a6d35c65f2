#include "cli/CliConsole.h"

#include <algorithm>
#include <iostream>

#include "desktop/Terminal.h"
#include "messages/MessageText.h"

namespace rp770::cli {

// ---- the progress bar -------------------------------------------------------------

ProgressBar::ProgressBar(bool debug) : debug_(debug), shown_(platform::StderrIsTerminal()) {}

ProgressBar::~ProgressBar() { End(); }

void ProgressBar::End() {
    if (drawn_) std::cerr << "\n";
    drawn_ = false;
    width_ = 0;
    last_ = -1;  // a bar after a message starts afresh
}

void ProgressBar::SetProgress(int percent) {
    if (!shown_ || percent == last_) return;
    if (percent == 0 && last_ < 0 && activity_.empty()) return;  // nothing started yet
    last_ = percent;
    Draw();
}

void ProgressBar::ShowActivity(const std::string& text) {
    if (!shown_ || text == activity_) return;
    activity_ = text;
    if (!drawn_ && text.empty()) return;
    Draw();
}

void ProgressBar::Draw() {
    std::string line;
    if (last_ >= 0) {
        const int filled = std::clamp(last_, 0, 100) * 40 / 100;
        line = "[" + std::string(static_cast<size_t>(filled), '#') +
               std::string(static_cast<size_t>(40 - filled), ' ') + "] " + std::to_string(last_) + "%";
    }
    if (!activity_.empty()) line += (line.empty() ? "" : "  ") + activity_;
    // Spaces cover what the line held before.
    const size_t shown = line.size();
    if (shown < width_) line += std::string(width_ - shown, ' ');
    std::cerr << "\r" << line << std::flush;
    width_ = shown;
    drawn_ = true;
}

void ProgressBar::ShowMonitor(const std::string& text) {
    if (!debug_ || text.empty()) return;
    End();
    std::cerr << Words(MessageId::CliMonitor, text) << "\n";
}

// ---- messages ---------------------------------------------------------------------

void Console::EndBar() {
    if (bar_) bar_->End();
}

void Console::Say(const Message& m) {
    EndBar();
    std::cerr << m.text;
    const bool plain = std::find(plainTitles_.begin(), plainTitles_.end(), m.title) != plainTitles_.end();
    if (titled_ && !m.title.empty() && !plain) std::cerr << "  (" << m.title << ")";
    if (!m.detail.empty()) std::cerr << "\n" << m.detail;
    std::cerr << "\n";
}

void Console::Say(const std::vector<Message>& messages) {
    for (const Message& m : messages) Say(m);
}

void Console::Say(const std::string& line) {
    EndBar();
    std::cerr << line << "\n";
}

// ---- questions --------------------------------------------------------------------

Answer CliAsker::Ask(const Question& q) {
    console_.Say(q.before);
    const bool retry = q.buttons == Buttons::RetryCancel;
    const bool yesNo = q.buttons == Buttons::YesNo || q.buttons == Buttons::YesNoCancel;
    const Answer yes = retry ? Answer::Retry : (yesNo ? Answer::Yes : Answer::Ok);
    const Answer no = yesNo ? Answer::No : Answer::Cancel;
    console_.Say(q.text + "  (" + q.title + ")");
    if (policy_ != Policy::Ask || !platform::StdinIsTerminal()) {
        Answer a = policy_ == Policy::Yes ? yes : policy_ == Policy::No ? no : q.defaultAnswer;
        MessageId why = policy_ == Policy::Yes  ? MessageId::CliBecauseYes
                        : policy_ == Policy::No ? MessageId::CliBecauseNo
                                                : MessageId::CliBecauseNotTerminal;
        if (a == yes && ++automaticYes_[q.text] > kAutomaticYes) {
            a = no;
            why = MessageId::CliBecauseYesEnough;
        }
        const MessageId said = a == yes ? (retry ? MessageId::ButtonRetry : yesNo ? MessageId::ButtonYes : MessageId::ButtonOk)
                                        : (yesNo ? MessageId::ButtonNo : MessageId::ButtonCancel);
        std::cerr << Words(MessageId::CliAnswered, MessageText(said), MessageText(why)) << "\n";
        return a;
    }
    std::cerr << Words(retry ? MessageId::CliAskRetry : MessageId::CliAskOk) << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {  // end of input, or Ctrl+C
        std::cerr << "\n";
        return q.defaultAnswer;
    }
    return (!line.empty() && (line[0] == 'y' || line[0] == 'Y')) ? yes : no;
}

}  // namespace rp770::cli
