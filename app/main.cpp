#include "ApplicationIdentity.h"
#include "TformMain.h"
#include "TformSearch.h"
#include "UnitInitialization.h"

#include <QApplication>

int main(int argc, char** argv) {
    UnitInitialization::run();
    QApplication app(argc, argv);
    ApplicationIdentity::apply();

    TformMain formMain;
    TformSearch formSearch;
    formMain.setSearchWindow(&formSearch);
    formMain.show();
    return app.exec();
}
