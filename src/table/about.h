#pragma once

#include <QDialog>

namespace tw {

class cData;

// The About window: product name, version and notices.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(cData &data, QWidget *parent = nullptr);
};

} // namespace tw
