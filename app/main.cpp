#include "TformMain.h"
#include "TformSearch.h"
#include "UnitInitialization.h"

#include <QApplication>

int main(int argc, char** argv) {
    UnitInitialization::run();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvane"));

    TformMain formMain;
    TformSearch formSearch;
    formMain.show();
    return app.exec();
}
