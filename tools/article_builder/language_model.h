// Word probabilities of an input method's language model: the single-word
// probabilities of an n-gram model stored in KenLM's binary trie layout, as
// Debian's libime-data-language-model ships it (zh_CN.lm). They say how often
// each word of the model's text corpus is used, in simplified characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace article_builder {

struct LanguageModelWords {
  std::unordered_map<std::string, double> shares;  // word -> its probability, 0 < p <= 1
  std::size_t skippedWords = 0;                    // markers (<s>, </s>, <unk>) and words without a usable value
  std::string problem;                             // why the file could not be read; empty when it was
};

// Reads the whole binary file. A file of another layout, cut short or with
// values that cannot be probabilities gives no words and says why in
// `problem`; nothing is read past the bytes given.
LanguageModelWords parseLanguageModel(std::string_view bytes);

}  // namespace article_builder
