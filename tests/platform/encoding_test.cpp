#include "platform/encoding.h"

#include <gtest/gtest.h>

namespace kvem {
namespace {

TEST(Encoding, CzechTextSurvivesTheRoundTrip) {
  const std::string text = "Příliš žluťoučký kůň úpěl ďábelské ódy – Nový „dům“";
  std::size_t bad = 99;
  const std::string bytes = Utf8ToCp1250(text, &bad);
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(bytes.size(), Utf8Length(text));  // one byte per character
  EXPECT_EQ(Cp1250ToUtf8(bytes), text);
  EXPECT_EQ(Utf8ToCp1250("ý"), "\xFD");
  EXPECT_EQ(Utf8ToCp1250("Ř"), "\xD8");
}

TEST(Encoding, WhatTheCodePageCannotHoldBecomesAQuestionMarkAndIsCounted) {
  std::size_t bad = 0;
  EXPECT_EQ(Utf8ToCp1250("a日b€", &bad), "a?b\x80");
  EXPECT_EQ(bad, 1u);
  // Malformed UTF-8: a lone continuation byte and a cut sequence.
  EXPECT_EQ(Utf8ToCp1250("x\x80y\xC5", &bad), "x?y?");
  EXPECT_EQ(bad, 2u);
}

TEST(Encoding, UndefinedBytesDecodeToTheReplacementCharacter) {
  EXPECT_EQ(Cp1250ToUtf8("\x81\x98"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Encoding, WidthsCountCharactersNotBytes) {
  EXPECT_EQ(Utf8Length("Koupelna"), 8u);
  EXPECT_EQ(Utf8Length("Obývací pokoj"), 13u);
  EXPECT_EQ(Utf8Left("Dětský pokoj", 2), "Dě");
  EXPECT_EQ(Utf8Left("ab", 5), "ab");
  EXPECT_EQ(Utf8Left("ščř", 0), "");
}

TEST(Encoding, CaseInsensitiveComparisonKnowsCzechLetters) {
  EXPECT_TRUE(EqualsIgnoreCase("Nový", "NOVÝ"));
  EXPECT_TRUE(EqualsIgnoreCase("nový", "Nový"));
  EXPECT_TRUE(EqualsIgnoreCase("nw", "NW"));
  EXPECT_TRUE(EqualsIgnoreCase("ŽLUŤOUČKÝ", "žluťoučký"));
  EXPECT_FALSE(EqualsIgnoreCase("Nov", "Nový"));
  EXPECT_FALSE(EqualsIgnoreCase("Novy", "Nový"));
  EXPECT_EQ(ToUpper("ano"), "ANO");
  EXPECT_EQ(ToUpper("čáp"), "ČÁP");
}

}  // namespace
}  // namespace kvem
