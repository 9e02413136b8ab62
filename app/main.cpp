#include "app/form1.h"
#include "platform/filesystem.h"
#include "platform/qtuserdialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tarnwick::QtUserDialogs dialogs;
    tarnwick::Form1 window({dialogs, tarnwick::HostFileSystem(),
                            QCoreApplication::applicationDirPath(), tarnwick::DrawFromTimeOfDay});
    window.Form_Load();
    window.show();
    return application.exec();
}
