// Article texts for the benchmarks: the real built files when a folder is
// given, otherwise a synthetic sorted text of the same size and shape.
#ifndef BENCH_ARTICLE_SOURCE_H
#define BENCH_ARTICLE_SOURCE_H

#include <cstddef>
#include <string>

// Reads a stored article file and unscrambles it into UTF-16 text. Returns
// false when the file cannot be read.
bool loadArticleFile(const std::string& path, std::u16string& text);

// A text built to the article grammar: a line feed, then `records` records
// with distinct lower-case headwords in code-unit order and short mixed
// Chinese and English articles, about 110 bytes per record.
std::u16string syntheticArticleText(std::size_t records);

#endif
