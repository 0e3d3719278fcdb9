// The texts before any language is loaded: its own program, because the
// table is program-wide state.
#include <gtest/gtest.h>

#include "lang/sprachen.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

TEST(LanguageDefaults, GermanUntilTheFirstLoad) {
  EXPECT_EQ(LanguageBase(), 9999);
  EXPECT_EQ(LanguageString(1), "");
  EXPECT_EQ(LanguageString(200), "");
  EXPECT_EQ(LanguageString(0), "StrIdx Err");
  EXPECT_EQ(PlacementNames(),
            (std::array<std::string, 5>{"Originalgr\xF6sse", "Passend vergr\xF6ssert",
                                        "an Overscan angepasst", "zentriert", "als Kachel"}));
  EXPECT_EQ(UnknownEncoderText(), "Encoder nicht erkannt");

  const std::string& info = InfoText();
  EXPECT_EQ(info.find('\n'), std::string::npos);
  EXPECT_EQ(info.rfind("\rHerzlich Willkommen!\r\r", 0), 0u);
  EXPECT_NE(info.find("\r\rVielen Dank an:\r-------------------\r"), std::string::npos);
  const std::string closing = "\r\r und vor allem an alle bei <Rovez> !";
  EXPECT_EQ(info.substr(info.size() - closing.size()), closing);

  EXPECT_EQ(BatchPairText(),
            "Diese Funktion erzeugt ein Paar Batchdateien, welche\r"
            "die diversen .mp3, .bin, .jpg und .txt ggfs. in Unterverzeichnisse,\r"
            "benannt mit den 1.Buchstaben des Interpreten und auf 8 Zeichen\r"
            "gek\xFCrzt, verschieben. \r\r"
            "\"SHORT.BAT\" erzeugt Unterverzeichnisse && kurze Namen\r"
            "\"LONG.BAT\" macht diesen Vorgang r\xFC"
            "ckg\xE4ngig.\r\r"
            "! Die Verzeichnisse f\xFCr .mp3 und .bin m\xFCssen gleich sein !");
}

TEST(LanguageDefaults, LoadingBeforeAnyLanguageIsSetFindsNone) {
  // The base before the first load is 9999, which no language number × 1000
  // gives, so a bare load fails and leaves the table as it was.
  test::TempDir dir;
  const std::string file = dir.file("tovix.lng");
  test::WriteFile(file,
                  "[Languages]\r\ncount=2\r\nLang.1=A\r\nIdx.1=0\r\nLang.2=B\r\nIdx.2=9999\r\n"
                  "[Strings]\r\n0001=null\r\n9999=x\r\n9999001=y\r\n");
  EXPECT_EQ(LoadLanguageFile(file), LanguageResult::kLanguageNotFound);
  EXPECT_EQ(LanguageString(1), "");
}

TEST(LanguageDefaults, ShippedGermanComposesTheSameTexts) {
  // Starting in German must not change the welcome or batch texts on the
  // first load.
  const std::string info = InfoText();
  const std::string batch = BatchPairText();
  ASSERT_EQ(ApplyLanguage(0, test::SourceDir() + "dist/tovix.lng"), LanguageResult::kOk);
  EXPECT_EQ(InfoText(), info);
  EXPECT_EQ(BatchPairText(), batch);
  EXPECT_EQ(UnknownEncoderText(), "Encoder nicht erkannt");
}

}  // namespace
}  // namespace tovix
