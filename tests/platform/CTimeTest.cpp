#include "platform/CTime.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

class CTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = getenv("TZ");
        m_oldTz = tz ? tz : "";
        m_hadTz = tz != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (m_hadTz) setenv("TZ", m_oldTz.c_str(), 1); else unsetenv("TZ");
        tzset();
    }
    std::string m_oldTz;
    bool m_hadTz = false;
};

TEST_F(CTimeTest, FormatsInTheCLocaleWhateverTheUserLocale) {
    setlocale(LC_ALL, "");
    EXPECT_EQ(CTime::CardDate(0x386D4380), QStringLiteral("01/01/2000 00:00:00"));
    EXPECT_EQ(CTime::Format("%B %A", 0x386D4380), QStringLiteral("January Saturday"));
    EXPECT_EQ(CTime::CtimeText(0x386D4380), QStringLiteral("Sat Jan  1 00:00:00 2000"));
}
