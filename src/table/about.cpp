#include "about.h"

#include "engine/catalogue.h"
#include "media/artwork.h"
#include "media/resources.h"
#include "settings/data.h"
#include "version.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

frmAbout::frmAbout(cData &data, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(Pictures(data).Icon());
    setWindowTitle(QStringLiteral("About ") + data.ProdName());

    auto *Image1 = new QLabel(this);
    Image1->setPixmap(art::AppIconPixmap(64, devicePixelRatioF()));
    auto *lblName = new QLabel(data.ProdName(), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont f = lblName->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    lblName->setFont(f);
    auto *lblVersion = new QLabel(QStringLiteral("Version %1.%2").arg(VersionMajor).arg(VersionMinor), this);
    auto *Line1 = new QFrame(this);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    auto *notice = new QLabel(QStringLiteral("A collection of %1 patience games of the FreeCell family.\n"
                                             "Cards, pictures, sounds and help pages are made for this program.\n"
                                             "Free software under the GNU GPL, version 3 or later, with no warranty.")
                                  .arg(frmGame::GameCount),
                              this);
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(Image1);
    auto *names = new QVBoxLayout;
    names->addWidget(lblName);
    names->addWidget(lblVersion);
    head->addLayout(names, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Line1);
    layout->addWidget(notice);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);
}

} // namespace tw
