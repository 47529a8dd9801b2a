// A small slice of dictionary source and word counts, shaped like the real
// data, shared by the builder tests.
#pragma once

#include <string_view>

namespace article_builder_test {

inline constexpr std::string_view kSliceSource =
    "# CC-CEDICT\n"
    "#! date=2026-09-10T07:14:51Z\n"
    "一 一 [yi1] /one/single/a (article)/as soon as/\n"
    "個 个 [ge3] /used in 自個兒|自个儿[zi4 ge3 r5]/\n"
    "個 个 [ge4] /(classifier used before a noun that has no specific classifier)/(bound form) individual/\n"
    "傳統 传统 [chuan2 tong3] /tradition; traditional/convention; conventional/CL:個|个[ge4]/\n"
    "吃 吃 [chi1] /to eat; to consume/to eat at (a cafeteria etc)/to absorb/\n"
    "咊 和 [he2] /old variant of 和[he2]/\n"
    "和 和 [He2] /surname He/\n"
    "和 和 [he2] /(joining two nouns) and; together with; with (Taiwan pr. [han4])/(math.) sum/\n"
    "和 和 [he4] /to compose a poem in reply/to join in the singing/\n"
    "和 和 [huo2] /to combine a powdery substance with water/Taiwan pr. [huo4]/\n"
    "喫 吃 [chi1] /variant of 吃[chi1]/\n"
    "女 女 [nu:3] /female/woman/daughter/\n"
    "書 书 [shu1] /book/letter/document/CL:本[ben3],冊|册[ce4],部[bu4]/to write/\n"
    "水 水 [Shui3] /surname Shui/\n"
    "水 水 [shui3] /water/(after a name) ... River/\n"
    "水餃 水饺 [shui3 jiao3] /boiled dumpling/\n"
    "睡 睡 [shui4] /to sleep; to lie down/\n"
    "睡覺 睡觉 [shui4 jiao4] /to go to bed/to sleep/\n"
    "說 说 [shui4] /to persuade/\n"
    "說 说 [shuo1] /to speak; to say/to explain/to scold/\n"
    "誰 谁 [shei2] /who/also pr. [shui2]/\n"
    "食 食 [shi2] /to eat/food/\n"
    "這是|壞的 这是坏的 [zhe4 shi4] /a line with a bar in its headword/\n"
    "好 好 [hao3] /good/well/(after a form of address) hello/\n"
    "北京 北京 [Bei3 jing1] /Beijing/\n"
    "一點兒 一点儿 [yi1 dian3 r5] /erhua variant of 一點|一点[yi1 dian3]/\n"
    "no pinyin here /gloss/\n"
    "缺 缺 [que1] no glosses\n";

// Word counts in the form of a "word count tag" frequency list.
inline constexpr std::string_view kSliceFrequencies =
    "一 217830 m\n"
    "个 1000 q\n"
    "传统 5000 n\n"
    "吃 36799 v\n"
    "和 555815 c\n"
    "女 8000 n\n"
    "书 18993 n\n"
    "水 24314 n\n"
    "水饺 41 n\n"
    "睡 3000 v\n"
    "睡觉 1730 v\n"
    "说 250000 v\n"
    "谁 30000 r\n"
    "食 6350 v\n"
    "好 92543 a\n"
    "北京 40000 ns\n";

}  // namespace article_builder_test
