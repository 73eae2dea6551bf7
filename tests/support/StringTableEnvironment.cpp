// Installs the application's string table once for a whole test program,
// as the application does at start.
#include "widgets/TKLocalization.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

class StringTableEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(TKLocalization::install(*QCoreApplication::instance())); }
};

const ::testing::Environment *const kStringTable =
    ::testing::AddGlobalTestEnvironment(new StringTableEnvironment);

} // namespace
