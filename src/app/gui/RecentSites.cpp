#include "app/gui/RecentSites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tamrik {

QString RecentSites::defaultListPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tamrik/recent-sites");
}

RecentSites::RecentSites(QString listPath) : listPath_(std::move(listPath)) {}

QStringList RecentSites::paths() const {
    QFile file(listPath_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList paths;
    while (!file.atEnd() && paths.size() < kMaxSites) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty() && !paths.contains(line)) paths.append(line);
    }
    return paths;
}

void RecentSites::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = this->paths();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    while (paths.size() > kMaxSites) paths.removeLast();

    QDir().mkpath(QFileInfo(listPath_).absolutePath());
    QSaveFile file(listPath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    for (const QString& entry : paths) file.write(entry.toUtf8() + '\n');
    file.commit();
}

}  // namespace tamrik
