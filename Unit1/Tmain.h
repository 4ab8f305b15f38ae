#pragma once
// The browser window: the six categories and the combined view of the
// advanced search, with their title lists, title texts and panes.

#include "data/Catalogue.h"

#include <QWidget>

#include <memory>

class NamazData;
class TCustomADODataSet;
class TLabel;
class TImage;
class TShape;
class TSpeedButton;
class TPanel;
class TEdit;
class TGroupBox;
class TRadioButton;

class Tmain : public QWidget {
    Q_OBJECT
public:
    Tmain();
    ~Tmain() override;

    // The row of every view, in catalogue order.
    Catalogue& views() { return catalogue; }
    // The view whose answer pane is visible: one of the seven rows.
    ViewRow* currentView();
    ViewRow& view(const QString& table);

    // The position of the last match of the find feature, for all six find
    // dialogs together; 0 when there is none.
    int LastFoundPos = 0;

public slots:
    void FormCreate();

    void Label1Click();
    void Label3Click();
    void Label6Click();
    void Label4Click();
    void Label5Click();
    void Label7Click();
    void Label1MouseMove();
    void Label3MouseMove();
    void Label6MouseMove();
    void Label4MouseMove();
    void Label5MouseMove();
    void Label7MouseMove();
    void Label1MouseLeave();
    void Label3MouseLeave();
    void Label6MouseLeave();
    void Label4MouseLeave();
    void Label5MouseLeave();
    void Label7MouseLeave();

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    void Edit1Change();
    void SpeedButton5Click();

    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();

    void SpeedButton6Click();
    void FindDialog1Find();
    void FindDialog2Find();
    void FindDialog3Find();
    void FindDialog4Find();
    void FindDialog5Find();
    void FindDialog6Find();

    void SpeedButton7Click();

    void Image4Click();
    void Image5Click();
    void Shape1MouseDown();
    void Shape2MouseDown();
    void Shape3MouseDown();

private:
    void buildWindow();
    void buildCategoryLabels();
    void buildViewControls(ViewRow& row);
    void buildSearchBox();
    void buildButtons();
    void buildWindowControls();
    void buildSearchPanel();
    void buildDialogs();
    void setTabOrder();
    void hideAtLoad();
    void connectHandlers();

    // Puts the window into a category's view; the label clicks, FormCreate
    // and the advanced search's cancel all come here.
    void showCategory(ViewRow& row);
    void hover(ViewRow& row, bool over);
    void setViewVisible(ViewRow& row, bool visible);
    void showCombinedView();
    void moveCurrentView(void (TCustomADODataSet::*move)());
    void reopen(ViewRow& row, const QString& statement);
    void findNext(ViewRow& row);

    Catalogue catalogue;
    std::unique_ptr<NamazData> data;
    // Where LastFoundPos was found: a continued search continues only in the
    // same pane over the same answer text.
    const TDBMemo* lastFoundPane = nullptr;
    QString lastFoundText;

    TImage* Image1 = nullptr; // background
    TImage* Image2 = nullptr; // category marker
    TLabel* Label2 = nullptr; // caption beside the title text
    TEdit* Edit1 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton4 = nullptr;
    TSpeedButton* SpeedButton5 = nullptr;
    TSpeedButton* SpeedButton6 = nullptr;
    TSpeedButton* SpeedButton7 = nullptr;
    TSpeedButton* SpeedButton8 = nullptr;
    TImage* Image4 = nullptr;
    TImage* Image5 = nullptr;
    TShape* Shape1 = nullptr;
    TShape* Shape2 = nullptr;
    TShape* Shape3 = nullptr;
    TShape* Shape4 = nullptr;
    TPanel* Panel1 = nullptr;
    TImage* Image3 = nullptr;
    TEdit* ebarat = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TSpeedButton* SpeedButton9 = nullptr;
    TSpeedButton* SpeedButton10 = nullptr;
};
