// Entry point of the widget tests: one QApplication for the whole run.
#include "widgets/TKTileSchemeHandler.h"

#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKTileSchemeHandler::registerScheme();
    QApplication app(argc, argv);
    // libmpv parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName("TovikTests");
    QCoreApplication::setApplicationName("tovik-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
