// Options of the command line, looked up by their key.
#include "appcmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Option(const std::vector<const char*>& params, const char* key) {
    CAppCommandLineInfo info;
    for (const char* p : params) info.AddParam(p);
    return std::string(info.GetOption(key));
}

TEST(CAppCommandLineInfo, GetOptionGivesTheRestBehindTheKeyAndOneSeparator) {
    struct Case {
        std::vector<const char*> params;
        const char* key;
        const char* option;
    } cases[] = {
        {{"host=Plant7"}, "host", "Plant7"},
        {{"HOST:Plant7"}, "host", "Plant7"},
        {{"Host Plant7"}, "HOST", "Plant7"},  // the start-up's form: key, blank, value
        {{"host"}, "host", ""},
        {{"hostname=x"}, "host", "ame=x"},  // a plain prefix
        {{"host=first", "host=second"}, "host", "first"},
        {{"-debug", "host=Plant7"}, "host", "Plant7"},
        {{"myhost=x"}, "host", ""},
        {{}, "host", ""},
        {{"host=a=b"}, "host", "a=b"},
        {{"host=\xC4rger"}, "HOST", "\xC4rger"},
    };
    for (const Case& c : cases) EXPECT_EQ(Option(c.params, c.key), c.option) << c.key;
}

TEST(CAppCommandLineInfo, KeepsCopiesOfTheParameters) {
    CAppCommandLineInfo info;
    char param[] = "host=Plant7";
    info.AddParam(param);
    param[5] = 'X';
    EXPECT_EQ(std::string(info.GetOption("host")), "Plant7");
}

}  // namespace
