// Tests of the strict YYYY-MM-DD parser.
#include "calendar/date_text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ParseCivilDate, AcceptsRealDays) {
  EXPECT_EQ(ParseCivilDate("2009-09-19"), (CivilDate{9, 19, 2009}));
  EXPECT_EQ(ParseCivilDate("0001-01-01"), (CivilDate{1, 1, 1}));
  EXPECT_EQ(ParseCivilDate("2000-02-29"), (CivilDate{2, 29, 2000}));
  EXPECT_EQ(ParseCivilDate("10000-12-31"), (CivilDate{12, 31, 10000}));
  EXPECT_EQ(ParseCivilDate("30827-12-31"), (CivilDate{12, 31, 30827}));
}

TEST(ParseCivilDate, RejectsEverythingElse) {
  for (const char* text : {"",
                           "garbage",
                           "2010-02-30",
                           "1900-02-29",
                           "2010-04-31",
                           "0000-01-01",
                           "2010-00-10",
                           "2010-13-01",
                           "2010-01-00",
                           "2010-01-32",
                           "30828-01-01",
                           "02010-01-01",
                           "2010-1-05",
                           "2010-01-5",
                           "210-01-05",
                           "2010/01/05",
                           "2010-01-05 ",
                           " 2010-01-05",
                           "+2010-01-05",
                           "-2010-01-05",
                           "2010--1-05",
                           "2010-01-+5",
                           "20a0-01-05",
                           "2010-01-05-",
                           "99999-01-01",
                           "2010-0105",
                           "2010-01-"}) {
    EXPECT_FALSE(ParseCivilDate(text).has_value()) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace qm
