// Turning CC-CEDICT glosses into text a reader sees, and sorting glosses into
// senses, classifier lists, pronunciation notes and cross-references.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace article_builder {

enum class GlossKind {
  sense,           // a meaning: numbered in the article, inverted into English headwords
  crossReference,  // "variant of 個|个[ge4]", "see ...", "abbr. for ...": shown, never inverted
  classifier,      // "CL:個|个[ge4],位[wei4]"
  pronunciation,   // "Taiwan pr. [han4]", "also pr. [shui2]"
};

GlossKind classifyGloss(std::string_view gloss);

// Rewrites a gloss for display: "個|个[ge4]" becomes "個 (个) [gè]", a
// bracketed reading "[shui3]" becomes "[shuǐ]", an inline "CL:本[ben3]"
// becomes "classifier: 本 běn", and any "|" left over becomes "/". The result
// never contains "|", a line feed or a carriage return.
std::string readableGloss(std::string_view gloss);

// "CL:個|个[ge4],位[wei4]" -> "个 gè, 位 wèi" (simplified form and reading,
// which is what a learner needs to use the classifier). `count` receives the
// number of classifiers listed.
std::string readableClassifiers(std::string_view gloss, std::size_t& count);

// Readings named in a pronunciation note or a remark inside a gloss
// ("Taiwan pr. [han4]", "also pr. [shui2]"), as numbered pinyin.
std::vector<std::string> notedReadings(std::string_view gloss);

// A gloss without its "|" and with control characters turned into blanks;
// the last line of defence for any text that goes into an article.
std::string withoutSeparators(std::string_view text);

}  // namespace article_builder
