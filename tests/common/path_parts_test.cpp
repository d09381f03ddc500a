#include "addin/common/path_parts.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct PathCase {
  const char* path;
  bool folderPart;
  bool folderName;
  char separator;
  const char* expected;
};

TEST(PathPartTest, CutsAtTheLastSeparator) {
  const PathCase cases[] = {
      {R"(C:\out\Book1\index.htm)", false, false, '\\', "index.htm"},
      {R"(C:\out\Book1\index.htm)", true, false, '\\', R"(C:\out\Book1)"},
      {R"(C:\out\Book1\index.htm)", true, true, '\\', "Book1"},
      {R"(C:\a.htm)", true, false, '\\', "C:"},
      {"a.htm", true, false, '\\', "a.htm"},
      {"a.htm", false, false, '\\', "a.htm"},
      {"", true, true, '\\', ""},
      {"/home/u/out/Book1/index.htm", false, false, '/', "index.htm"},
      {"/home/u/out/Book1/index.htm", true, false, '/', "/home/u/out/Book1"},
      {"/home/u/out/Book1/index.htm", true, true, '/', "Book1"},
      // A backslash is an ordinary character where the separator is "/".
      {R"(C:\out\x.htm)", false, false, '/', R"(C:\out\x.htm)"},
      // The folder of a top-level file has no separator left: its name is itself.
      {"/x.htm", true, true, '/', ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathPart(c.path, c.folderPart, c.folderName, c.separator), c.expected)
        << c.path << " folder=" << c.folderPart << " name=" << c.folderName;
  }
}

TEST(StripExtensionTest, RemovesOnlyTheLastExtension) {
  EXPECT_EQ(StripExtension("Book1.xls"), "Book1");
  EXPECT_EQ(StripExtension("Book1.backup.xlsm"), "Book1.backup");
  EXPECT_EQ(StripExtension("Book1"), "Book1");
  EXPECT_EQ(StripExtension(""), "");
}

}  // namespace
}  // namespace qm
