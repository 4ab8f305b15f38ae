#pragma once
// The entry window: the program's main window, with its three menu labels,
// its hot spots, the site link, and the credits and answering-centres panels.

#include <QWidget>

#include <array>

class TLabel;
class TImage;
class TShape;
class TSpeedButton;
class TPanel;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2();

    // The answering centres, top to bottom as the panel lists them.
    static constexpr int centreCount = 8;

public slots:
    void FormCreate();

    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label1MouseMove();
    void Label2MouseMove();
    void Label3MouseMove();
    void Label1MouseLeave();
    void Label2MouseLeave();
    void Label3MouseLeave();
    void Shape2MouseDown();
    void Shape3MouseDown();
    void Label4Click();

    void SpeedButton1Click();
    void SpeedButton2Click();

    void Label23Click();
    void Label24Click();
    void Label22Click();
    void Label25Click();
    void Label26Click();
    void Label28Click();
    void Label27Click();
    void Label29Click();
    void Label23MouseMove();
    void Label24MouseMove();
    void Label22MouseMove();
    void Label25MouseMove();
    void Label26MouseMove();
    void Label28MouseMove();
    void Label27MouseMove();
    void Label29MouseMove();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    void buildCreditsPanel();
    void buildCentresPanel();
    void connectHandlers();

    void hover(TLabel* label, bool over);
    // A panel opened over the menu covers the labels: none stays green.
    void showPanel(TPanel* panel);
    // `row` counts from 1, as the panel lists the centres.
    void openCentre(int row);
    void showLogo(int row);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TShape* Shape2 = nullptr;
    TShape* Shape3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label30 = nullptr;

    TPanel* Panel1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label12 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;

    TPanel* Panel2 = nullptr;
    TImage* Image3 = nullptr;
    TShape* Shape1 = nullptr;
    TLabel* Label13 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    std::array<TLabel*, centreCount> nameLabels{};
    std::array<TLabel*, centreCount> linkLabels{};
    std::array<TImage*, centreCount> logos{};
};
