// The curve settings in the application profile, section "Curve": defaults of an empty
// profile, a round trip of every key in its stored form, and values the option page never
// stores.
#include "curvesettings.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <string>

namespace {

const char* const kMaker = "KorvanGA chart test";

class Settings : public ::testing::Test {
protected:
    Settings() : app_("curve settings") {}
    void SetUp() override {
        ASSERT_EQ(AfxGetApp(), &app_);
        app_.SetRegistryKey(kMaker);
        base_ = std::string("Software\\") + kMaker + "\\curve settings\\Curve";
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kMaker).c_str());
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kMaker).c_str());
    }
    void PutInt(const char* name, int value) {
        ASSERT_TRUE(app_.WriteProfileInt("Curve", name, value));
    }
    void PutText(const char* name, const char* value) {
        ASSERT_TRUE(app_.WriteProfileString("Curve", name, value));
    }
    // A value as the registry holds it: its type and, for a text, the text.
    DWORD Raw(const char* name, std::string* text) {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return REG_NONE;
        char buf[256] = {};
        DWORD type = REG_NONE, size = sizeof buf - 1;
        RegQueryValueExA(h, name, NULL, &type, (LPBYTE)buf, &size);
        RegCloseKey(h);
        if (text != NULL) *text = buf;
        return type;
    }

    CWinApp app_;
    std::string base_;
};

TEST_F(Settings, AnEmptyProfileGivesTheDefaults) {
    CCurveSettings s;
    EXPECT_EQ(s.m_dwTimeSpan, 1800u);
    EXPECT_EQ(s.m_nLegend, 0) << "no legend";
    EXPECT_FALSE(s.m_bShowValuesInLegend);
    EXPECT_EQ(s.m_nScrollArea, 80);
    EXPECT_TRUE(s.m_bRestart);
    for (int i = 0; i < CCurveSettings::CURVES; ++i) {
        EXPECT_EQ(s.m_crColor[i], RGB(0, 0, 0)) << i;
        EXPECT_EQ(s.m_fLowerLimit[i], -1.0f) << i;
        EXPECT_EQ(s.m_fUpperLimit[i], 10.0f) << i;
        EXPECT_EQ(s.m_nSymbol[i], i) << "symbol index = curve index";
        EXPECT_EQ(s.m_pInstrument[i], nullptr) << i;
        EXPECT_TRUE(s.m_strInstrument[i].IsEmpty());
        EXPECT_TRUE(s.m_strNetwork[i].IsEmpty());
        EXPECT_EQ(s.m_nComponent[i], 0);
        EXPECT_FALSE(s.m_bGrid[i]);
        EXPECT_EQ(s.m_nYAxis[i], 0);
        EXPECT_FALSE(s.m_bShowRefLine[i]);
        EXPECT_EQ(s.m_fRefValue[i], 0.0f);
    }
    EXPECT_TRUE(RUNTIME_CLASS(CCurveSettings)->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)));
}

TEST_F(Settings, EveryKeyRoundTripsInItsStoredForm) {
    {
        CCurveSettings s;
        s.m_dwTimeSpan = 7200;
        s.m_nLegend = 3;
        s.m_bShowValuesInLegend = TRUE;
        s.m_nScrollArea = 35;
        for (int i = 0; i < CCurveSettings::CURVES; ++i) {
            s.m_crColor[i] = RGB(10 * i, 255 - i, 3);
            s.m_fLowerLimit[i] = -2.25f * i;
            s.m_fUpperLimit[i] = 12.5f + i;
            s.m_bGrid[i] = i % 2;
            s.m_nYAxis[i] = i + 1;
            s.m_nSymbol[i] = 10 - i;
            s.m_strInstrument[i].Format("Analyzer %d", i);
            s.m_strNetwork[i] = "COM1 Bus";
            s.m_nComponent[i] = i % 4;
            s.m_bShowRefLine[i] = TRUE;
            s.m_fRefValue[i] = 4.0f;
        }
        s.m_bRestart = FALSE;
        EXPECT_TRUE(s.SaveCurveSettings());
    }
    std::string text;
    EXPECT_EQ(Raw("Time", NULL), (DWORD)REG_DWORD);
    EXPECT_EQ(Raw("Hop1", NULL), (DWORD)REG_DWORD);
    EXPECT_EQ(Raw("Show values in legend", NULL), (DWORD)REG_DWORD);
    EXPECT_EQ(Raw("Grid2", NULL), (DWORD)REG_DWORD);
    EXPECT_EQ(Raw("ColorCurve3", &text), (DWORD)REG_SZ);
    EXPECT_EQ(text, std::to_string(RGB(20, 253, 3))) << "the colour as a decimal number";
    EXPECT_EQ(Raw("UpperLimit1", &text), (DWORD)REG_SZ);
    EXPECT_EQ(text, "12.500000");
    EXPECT_EQ(Raw("LowerLimit2", &text), (DWORD)REG_SZ);
    EXPECT_EQ(text, "-2.250000");
    EXPECT_EQ(Raw("Instrument6", &text), (DWORD)REG_SZ);
    EXPECT_EQ(text, "Analyzer 5");

    CCurveSettings s;
    EXPECT_EQ(s.m_dwTimeSpan, 7200u);
    EXPECT_EQ(s.m_nLegend, 3);
    EXPECT_TRUE(s.m_bShowValuesInLegend);
    EXPECT_EQ(s.m_nScrollArea, 35);
    for (int i = 0; i < CCurveSettings::CURVES; ++i) {
        EXPECT_EQ(s.m_crColor[i], RGB(10 * i, 255 - i, 3)) << i;
        EXPECT_EQ(s.m_fLowerLimit[i], -2.25f * i) << i;
        EXPECT_EQ(s.m_fUpperLimit[i], 12.5f + i) << i;
        EXPECT_EQ(s.m_bGrid[i], i % 2) << i;
        EXPECT_EQ(s.m_nYAxis[i], i + 1) << i;
        EXPECT_EQ(s.m_nSymbol[i], 10 - i) << i;
        CString name;
        name.Format("Analyzer %d", i);
        EXPECT_STREQ(s.m_strInstrument[i], name);
        EXPECT_STREQ(s.m_strNetwork[i], "COM1 Bus");
        EXPECT_EQ(s.m_nComponent[i], i % 4) << i;
        // Neither the reference line nor the restart flag outlive the program.
        EXPECT_FALSE(s.m_bShowRefLine[i]) << i;
        EXPECT_EQ(s.m_fRefValue[i], 0.0f) << i;
        EXPECT_EQ(s.m_pInstrument[i], nullptr) << i;
    }
    EXPECT_TRUE(s.m_bRestart);
}

TEST_F(Settings, StoredTextsAndWhatCannotBeRead) {
    PutText("UpperLimit1", "");
    PutText("LowerLimit1", "0.500000");
    PutText("UpperLimit2", "12.500000");
    PutText("ColorCurve3", "blue");
    PutText("UpperLimit3", "high");
    PutText("ColorCurve4", "255");
    PutInt("Component5", 7);
    CCurveSettings s;
    EXPECT_EQ(s.m_fUpperLimit[0], 10.0f) << "an empty text keeps the default";
    EXPECT_EQ(s.m_fLowerLimit[0], 0.5f);
    EXPECT_EQ(s.m_fUpperLimit[1], 12.5f);
    EXPECT_EQ(s.m_crColor[2], RGB(0, 0, 0)) << "no number: the default stays";
    EXPECT_EQ(s.m_fUpperLimit[2], 10.0f);
    EXPECT_EQ(s.m_crColor[3], RGB(255, 0, 0));
    EXPECT_EQ(s.m_nComponent[4], 7) << "loaded as stored; the curve page shows 0 to 3 only";

    // Written with a point, read back the same under a locale whose decimal sign is a comma.
    const char* before = setlocale(LC_NUMERIC, NULL);
    std::string saved = before != NULL ? before : "C";
    if (setlocale(LC_NUMERIC, "German_Germany.1252") != NULL &&
        *localeconv()->decimal_point == ',') {
        CCurveSettings german;
        EXPECT_EQ(german.m_fUpperLimit[1], 12.5f);
        EXPECT_EQ(german.m_fLowerLimit[0], 0.5f);
    }
    setlocale(LC_NUMERIC, saved.c_str());
}

// Values the option page never stores, each of which would stop or break the diagram.
TEST_F(Settings, ValuesTheOptionPageNeverStoresFallBack) {
    struct Case {
        const char* name;
        int stored;
        int expected;
        int CCurveSettings::*field;
    };
    const Case cases[] = {
        {"Legend", 5, 0, &CCurveSettings::m_nLegend},
        {"Legend", -1, 0, &CCurveSettings::m_nLegend},
        {"Legend", 4, 4, &CCurveSettings::m_nLegend},
        {"Hop1", 0, 80, &CCurveSettings::m_nScrollArea},
        {"Hop1", 101, 80, &CCurveSettings::m_nScrollArea},
        {"Hop1", -20, 80, &CCurveSettings::m_nScrollArea},
        {"Hop1", 1, 1, &CCurveSettings::m_nScrollArea},
        {"Hop1", 100, 100, &CCurveSettings::m_nScrollArea},
    };
    for (const Case& c : cases) {
        PutInt(c.name, c.stored);
        CCurveSettings s;
        EXPECT_EQ(s.*c.field, c.expected) << c.name << " " << c.stored;
    }
    for (int span : {0, 59, 60, 3600}) {
        PutInt("Time", span);
        CCurveSettings s;
        EXPECT_EQ(s.m_dwTimeSpan, span < 60 ? 1800u : (DWORD)span) << span;
    }

    // A y axis whose bottom is not below its top: both limits fall back.
    const char* pairs[][2] = {
        {"5.000000", "5.000000"}, {"20.000000", "3.000000"}, {"-1e40", "4.000000"}};
    for (auto& pair : pairs) {
        PutText("LowerLimit2", pair[0]);
        PutText("UpperLimit2", pair[1]);
        CCurveSettings s;
        EXPECT_EQ(s.m_fLowerLimit[1], -1.0f) << pair[0] << " " << pair[1];
        EXPECT_EQ(s.m_fUpperLimit[1], 10.0f) << pair[0] << " " << pair[1];
    }
    PutText("LowerLimit2", "3.000000");
    PutText("UpperLimit2", "20.000000");
    CCurveSettings s;
    EXPECT_EQ(s.m_fLowerLimit[1], 3.0f);
    EXPECT_EQ(s.m_fUpperLimit[1], 20.0f);
}

}  // namespace
