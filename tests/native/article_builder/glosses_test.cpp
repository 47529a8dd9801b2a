#include "glosses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using article_builder::classifyGloss;
using article_builder::GlossKind;
using article_builder::notedReadings;
using article_builder::readableClassifiers;
using article_builder::readableGloss;

TEST(ReadableGloss, RewritesReferencesReadingsAndClassifiers) {
  struct Case {
    const char* raw;
    const char* shown;
  };
  const Case cases[] = {
      {"variant of \u500B|\u4E2A[ge4]", "variant of \u500B (\u4E2A) [g\u00E8]"},
      {"used in \u81EA\u500B\u5152|\u81EA\u4E2A\u513F[zi4 ge3 r5]",
       "used in \u81EA\u500B\u5152 (\u81EA\u4E2A\u513F) [z\u00EC g\u011Br]"},
      {"(joining two nouns) and; with (Taiwan pr. [han4])", "(joining two nouns) and; with (Taiwan pr. [h\u00E0n])"},
      {"as in \u5FD8\u4E0D\u4E86[wang4 bu5 liao3] \"cannot forget\"",
       "as in \u5FD8\u4E0D\u4E86 [w\u00E0ng bu li\u01CEo] \"cannot forget\""},
      {"light; ray (CL:\u9053[dao4])", "light; ray (classifier: \u9053 d\u00E0o)"},
      {"a|b", "a/b"},  // a bar between Latin words is no reference
      {"[not pinyin] stays", "[not pinyin] stays"},
      // A spaced-out ü and Latin letters in a reference's reading.
      {"see \u5442\u6881\u5E02[Lu : 3 liang2 Shi4]", "see \u5442\u6881\u5E02 [L\u01DA li\u00E1ng Sh\u00EC]"},
      {"variant of T\u6064[T xu4]", "variant of T\u6064 [T x\u00F9]"},
      {"[a b] stays", "[a b] stays"},
      {"tab\there", "tab here"},
      {"|", "/"},
      {"\u4E2A|", "\u4E2A/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readableGloss(c.raw), c.shown) << c.raw;
  }
}

TEST(ReadableGloss, NeverLeavesASeparatorOrLineBreak) {
  const char* nasty[] = {"||",
                         "\u6C34|\u6C34|\u6C34",
                         "a|\u500B|b[ge4]|",
                         "x\ry\nz",
                         "CL:|[",
                         "[|]",
                         "(CL:\u500B|\u4E2A[ge4]|\u4F4D[wei4])",
                         "\xFF|\xFE"};
  for (const char* raw : nasty) {
    const std::string shown = readableGloss(raw);
    EXPECT_EQ(shown.find_first_of("|\r\n"), std::string::npos) << raw << " -> " << shown;
  }
}

// A list inside a list is no classifier and stays as written; a line of thousands of them
// costs no more than its length.
TEST(ReadableGloss, NestedClassifierListsAreRewrittenOnce) {
  EXPECT_EQ(readableGloss("CL:CL:CL:\u672C[ben3]"), "classifier: CL:\u672C b\u011Bn");
  std::string deep;
  for (int i = 0; i < 20000; ++i) deep += "CL:";
  deep += "x";
  EXPECT_LT(readableGloss(deep).size(), deep.size() + 20);
}

TEST(Classifiers, ShowTheSimplifiedFormAndItsReading) {
  std::size_t count = 0;
  EXPECT_EQ(readableClassifiers("CL:\u672C[ben3],\u518A|\u518C[ce4],\u90E8[bu4]", count),
            "\u672C b\u011Bn, \u518C c\u00E8, \u90E8 b\u00F9");
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(readableClassifiers("CL:\u500B|\u4E2A[ge4]", count), "\u4E2A g\u00E8");
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(readableClassifiers("CL:", count), "");
  EXPECT_EQ(count, 0u);
}

TEST(GlossKinds, SeparateMeaningsFromNotesAndPointers) {
  struct Case {
    const char* gloss;
    GlossKind kind;
  };
  const Case cases[] = {
      {"to eat; to consume", GlossKind::sense},
      {"(bound form) individual", GlossKind::sense},
      {"surname Shui", GlossKind::sense},
      {"variant of \u5403[chi1]", GlossKind::crossReference},
      {"old variant of \u548C[he2]", GlossKind::crossReference},
      {"erhua variant of \u4E00\u9EDE|\u4E00\u70B9[yi1 dian3]", GlossKind::crossReference},
      {"see \u6C34\u9903|\u6C34\u9975[shui3 jiao3]", GlossKind::crossReference},
      {"used in \u81EA\u500B\u5152|\u81EA\u4E2A\u513F[zi4 ge3 r5]", GlossKind::crossReference},
      {"abbr. for \u66F8\u7D93|\u4E66\u7ECF[Shu1 jing1]", GlossKind::crossReference},
      {"used in transliteration", GlossKind::sense},  // no pointer to another word
      {"CL:\u500B|\u4E2A[ge4]", GlossKind::classifier},
      {"Taiwan pr. [huo4]", GlossKind::pronunciation},
      {"also pr. [yao1] for greater clarity", GlossKind::pronunciation},
      // A variant note inside a sense's brackets leaves the sense a sense.
      {"to imitate (variant of \u6548[xiao4])", GlossKind::sense},
      {"(variant of \u8020[huo1]) hoe", GlossKind::sense},
      {"(euphemistic variant of \u4ED6\u5ABD\u7684[ta1 ma1 de5])", GlossKind::crossReference},
      {"(archaic) variant of \u5403[chi1]", GlossKind::crossReference},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(classifyGloss(c.gloss), c.kind) << c.gloss;
  }
}

TEST(NotedReadings, AreTakenFromPronunciationRemarks) {
  using Readings = std::vector<std::string>;
  EXPECT_EQ(notedReadings("also pr. [shui2]"), Readings{"shui2"});
  EXPECT_EQ(notedReadings("and; with (Taiwan pr. [han4])"), Readings{"han4"});
  EXPECT_EQ(notedReadings("also pr. [di4] or [di5] in poetry"), (Readings{"di4", "di5"}));
  EXPECT_EQ(notedReadings("see \u6C34[shui3]"), Readings{});
  EXPECT_EQ(notedReadings("also pr. [not pinyin]"), Readings{});
  EXPECT_EQ(notedReadings("also pr. [unclosed"), Readings{});
}

}  // namespace
