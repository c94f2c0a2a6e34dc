#include "ui/dialogs/SiteDifferencesDialog.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamrik {

SiteDifferencesDialog::SiteDifferencesDialog(const std::vector<std::string>& differences, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("siteDifferencesDialog"));
    setWindowTitle(QStringLiteral("Compare with panel"));

    const auto count = static_cast<int>(differences.size());
    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("differenceHeading"));
    heading->setWordWrap(true);
    heading->setText(
        count == 0 ? QStringLiteral("The panel holds this site: no settings differ.")
                   : QStringLiteral("%1 %2 between the panel and this site.\n"
                                    "Each line reads: on the panel -> in this site.")
                         .arg(count)
                         .arg(count == 1 ? QStringLiteral("setting differs") : QStringLiteral("settings differ")));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("differenceList"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    for (const std::string& line : differences) list_->addItem(QString::fromLatin1(line.c_str()));
    list_->setVisible(count != 0);
    list_->setMinimumSize(520, 320);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("closeButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
}

}  // namespace tamrik
