#include "platform/ExclusiveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rp770::platform {

NewFile WriteNewFile(const std::string& path, std::string_view bytes, std::string& why) {
    const QString name = QString::fromStdString(path);
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        why = file.errorString().toStdString();
        const QFileInfo info(name);
        return info.exists() || info.isSymLink() ? NewFile::NameTaken : NewFile::Failed;
    }
    const auto size = static_cast<qint64>(bytes.size());
    const bool written = file.write(bytes.data(), size) == size && file.flush();
    file.close();
    if (written && file.error() == QFileDevice::NoError) return NewFile::Written;
    why = file.errorString().toStdString();
    file.remove();
    return NewFile::Failed;
}

std::string SaveRecoveryFile(const std::string& intendedPath, std::string_view bytes, std::string& why) {
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    const QString intended = QFileInfo(QString::fromStdString(intendedPath)).fileName();
    const QString base = QDir(QDir::tempPath()).filePath("rp770-recovery-" + stamp);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = base + (attempt ? "-" + QString::number(attempt) : QString()) + "-" + intended;
        switch (WriteNewFile(path.toStdString(), bytes, why)) {
            case NewFile::Written: return QDir::toNativeSeparators(path).toStdString();
            case NewFile::NameTaken: continue;
            case NewFile::Failed: return {};
        }
    }
    return {};
}

}  // namespace rp770::platform
