#pragma once
// The entry window: the program's main window, with its three menu labels,
// its hot spots, the site link, and the credits and answering-centres panels.

#include <QWidget>

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2();

public slots:
    void FormCreate();

protected:
    void closeEvent(QCloseEvent* event) override;
};
