#include "platform/WindowLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <algorithm>

#include "messages/Catalogue.h"

namespace rp770::platform {

namespace {

constexpr const char* kPrefix = "rp770_";
constexpr const char* kSuffix = ".qm";

QString CatalogueFile(const std::string& dataFolder, const std::string& language) {
    return QDir(QString::fromStdString(TranslationsFolder(dataFolder)))
        .filePath(QString::fromStdString(kPrefix + language + kSuffix));
}

// Every message's text in the loaded catalogue (context empty, the id as its
// disambiguation: msgctxt of the .po), English where it has none.
std::vector<std::string> TextsOf(const QTranslator& translator) {
    std::vector<std::string> texts(static_cast<size_t>(kMessageCount));
    for (int i = 0; i < kMessageCount; ++i) {
        const MessageId id = MessageId(i);
        const std::string english(EnglishText(id));
        const std::string name(MessageIdName(id));
        texts[static_cast<size_t>(i)] = translator.translate("", english.c_str(), name.c_str()).toStdString();
    }
    return texts;
}

}  // namespace

std::string TranslationsFolder(const std::string& dataFolder) {
    return QDir(QString::fromStdString(dataFolder)).filePath("translations").toStdString();
}

std::vector<std::string> WindowLanguages(const std::string& dataFolder) {
    std::vector<std::string> languages;
    const QString prefix = kPrefix;
    for (const QString& file : QDir(QString::fromStdString(TranslationsFolder(dataFolder)))
                                   .entryList({prefix + "*" + kSuffix}, QDir::Files, QDir::Name))
        languages.push_back(file.mid(prefix.size(), file.size() - prefix.size() - QString(kSuffix).size()).toStdString());
    return languages;
}

std::string ChooseWindowLanguage(const SettingsStore& settings, const std::string& dataFolder,
                                 const LanguageEnvironment& environment) {
    const std::string remembered = settings.GetOr(kLanguageSection, kLanguageKey, "");
    return ChooseLanguage(remembered, environment, WindowLanguages(dataFolder));
}

WindowLanguage::WindowLanguage(const std::string& language, const std::string& dataFolder) {
    if (language != "en") {
        auto own = std::make_unique<QTranslator>();
        if (own->load(CatalogueFile(dataFolder, language))) {
            texts_ = Translations(language, TextsOf(*own));
            QCoreApplication::installTranslator(own.get());
            own_ = std::move(own);
            // Qt's own words (the standard buttons, the file dialogs), where Qt has them.
            auto qt = std::make_unique<QTranslator>();
            if (qt->load(QString::fromStdString("qtbase_" + language), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                QCoreApplication::installTranslator(qt.get());
                qt_ = std::move(qt);
            }
        }
    }
    UseTranslations(&texts_);
}

WindowLanguage::~WindowLanguage() {
    UseTranslations(nullptr);
    if (qt_) QCoreApplication::removeTranslator(qt_.get());
    if (own_) QCoreApplication::removeTranslator(own_.get());
}

}  // namespace rp770::platform
