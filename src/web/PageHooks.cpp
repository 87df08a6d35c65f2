#include "web/PageHooks.h"

#include <vector>

using emscripten::val;

namespace rp770::web {

namespace {
std::vector<Answer> Offered(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return {Answer::Ok};
        case Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
        case Buttons::YesNo: return {Answer::Yes, Answer::No};
        case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
        case Buttons::RetryCancel: return {Answer::Retry, Answer::Cancel};
    }
    return {};
}
}  // namespace

const char* IconName(Icon icon) {
    switch (icon) {
        case Icon::None: return "none";
        case Icon::Information: return "information";
        case Icon::Warning: return "warning";
        case Icon::Critical: return "critical";
        case Icon::Question: return "question";
    }
    return "none";
}

const char* ButtonsName(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return "ok";
        case Buttons::OkCancel: return "okCancel";
        case Buttons::YesNo: return "yesNo";
        case Buttons::YesNoCancel: return "yesNoCancel";
        case Buttons::RetryCancel: return "retryCancel";
    }
    return "ok";
}

const char* AnswerName(Answer answer) {
    switch (answer) {
        case Answer::Ok: return "ok";
        case Answer::Cancel: return "cancel";
        case Answer::Yes: return "yes";
        case Answer::No: return "no";
        case Answer::Retry: return "retry";
    }
    return "cancel";
}

std::optional<Answer> OfferedAnswer(const std::string& name, Buttons buttons) {
    for (Answer a : Offered(buttons))
        if (name == AnswerName(a)) return a;
    return std::nullopt;
}

val MessagesObject(const std::vector<Message>& messages) {
    val list = val::array();
    for (const Message& m : messages) {
        val box = val::object();
        box.set("text", m.text);
        box.set("title", m.title);
        box.set("icon", std::string(IconName(m.icon)));
        box.set("detail", m.detail);
        list.call<void>("push", box);
    }
    return list;
}

Answer PageHooks::Ask(const Question& q) {
    val question = val::object();
    question.set("text", q.text);
    question.set("title", q.title);
    question.set("icon", std::string(IconName(q.icon)));
    question.set("buttons", std::string(ButtonsName(q.buttons)));
    question.set("defaultAnswer", std::string(AnswerName(q.defaultAnswer)));
    question.set("before", MessagesObject(q.before));
    if (q.option) {
        val option = val::object();
        option.set("text", q.optionText);
        option.set("checked", *q.option);
        question.set("option", option);
    }
    val answer = runtime_.call<val>("ask", question).await();
    // With a choice: {answer, option}, the choice as the user left it.
    if (q.option && !answer.isNull() && answer.typeOf().as<std::string>() == "object") {
        const val option = answer["option"];
        if (option.isTrue() || option.isFalse()) *q.option = option.isTrue();
        answer = answer["answer"];
    }
    if (!answer.isString()) return q.defaultAnswer;
    return OfferedAnswer(answer.as<std::string>(), q.buttons).value_or(q.defaultAnswer);
}

std::optional<std::string> PageHooks::ChooseSaveFile() {
    if (runtime_["chooseSaveFile"].isUndefined()) return std::nullopt;
    const val name = runtime_.call<val>("chooseSaveFile").await();
    if (!name.isString() || name.as<std::string>().empty()) return std::nullopt;
    return name.as<std::string>();
}

std::optional<std::string> PageHooks::ChooseFileToOpen(Files kind) {
    if (runtime_["chooseOpenFile"].isUndefined()) return std::nullopt;
    const char* named = kind == Files::MemoryImage ? "hex" : kind == Files::Channels ? "csv" : "data";
    const val name = runtime_.call<val>("chooseOpenFile", std::string(named)).await();
    if (!name.isString() || name.as<std::string>().empty()) return std::nullopt;
    return name.as<std::string>();
}

void PageHooks::SetProgress(int percent) { runtime_.call<void>("progress", percent); }
void PageHooks::ShowMonitor(const std::string& text) { runtime_.call<void>("monitor", text); }
void PageHooks::SetControlsEnabled(bool enabled) { runtime_.call<void>("controls", enabled); }
void PageHooks::ShowActivity(const std::string& text) { runtime_.call<void>("activity", text); }

}  // namespace rp770::web
