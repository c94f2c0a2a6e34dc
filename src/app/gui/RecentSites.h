#pragma once

#include <QString>
#include <QStringList>

namespace tamrik {

// The site files opened or saved last, newest first, kept between runs in a small text file (one
// absolute path a line) in the user's configuration folder. A file that cannot be read or written
// only costs the list, never a command.
class RecentSites {
public:
    static constexpr int kMaxSites = 8;

    // $XDG_CONFIG_HOME/tamrik/recent-sites (~/.config when the variable is not set).
    static QString defaultListPath();

    explicit RecentSites(QString listPath = defaultListPath());

    QStringList paths() const;
    // Puts `path` first (once), keeps the newest kMaxSites and saves the list.
    void add(const QString& path);

private:
    QString listPath_;
};

}  // namespace tamrik
