#include "StringTools/StringToolsCls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

struct TSplitCase {
    const char* Name;
    char Separator;
    std::string Text;
    Pieces Expected;
};

TEST(StringToolsClsTest, splitsAtEverySeparator)
{
    const std::vector<TSplitCase> cases = {
        {"engine failure", '/', "TPICHourCls/3", {"TPICHourCls", "3"}},
        {"trailing separator adds nothing", '/', "a/b/", {"a", "b"}},
        {"leading separator keeps an empty piece", '/', "/a", {"", "a"}},
        {"two separators keep an empty piece", '/', "a//b", {"a", "", "b"}},
        {"no separator", '/', "  Access violation  ", {"Access violation"}},
        {"empty", '/', "", {}},
        {"blank", '/', " \t\r\n ", {}},
        {"lone separator", '/', "/", {""}},
        {"only separators", '/', "///", {"", "", ""}},
        {"outer blanks go, inner blanks stay", '/', "\t TPICHourCls / 2 \n", {"TPICHourCls ", " 2"}},
        {"trailing separator then blanks", '/', "a/ ", {"a"}},
        {"more than two pieces", '/', "a/b/c", {"a", "b", "c"}},
        {"other separator", ';', "x;y/z", {"x", "y/z"}},
        {"UTF-8 bytes are text, not blanks", '/', "\xc3\xa9t\xc3\xa9/\xc2\xa0", {"\xc3\xa9t\xc3\xa9", "\xc2\xa0"}},
        {"blank as separator", ' ', "  a b  c ", {"a", "b", "", "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(StringToolsCls::SplitString(c.Separator, c.Text), c.Expected);
    }
}

}  // namespace
