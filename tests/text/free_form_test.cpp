// Free-form records: how a read takes values from as many records as its
// targets need. How a list of items is written, the datasets' reports show.
#include <gtest/gtest.h>

#include "record_helpers.hpp"
#include "text/free_form.hpp"

namespace tessadro::test {
namespace {

TEST(FreeFormRead, SeparatorsNullsRepeatsSlashAndText) {
    expect_reads({
        {nullptr, "5\n7 9\n11\n", {"ii", "i"}, "0: 5,7 | 0: 11"},  // 9 is left on its record
        {nullptr, "1\t2,3;4 , 5 ;  6\n\n   \n\t\n7,\n8\n", {"iiiiiiii"}, "0: 1,2,3,4,5,6,7,8"},
        // Nulls keep the previous value; blanks between two commas make no value.
        {nullptr, "1.5,,3\n,2\n1 , , 3\n", {"fff", "ii", "iii"}, "0: 1.5,9,3 | 0: -1,2 | 0: 1,2,3"},
        // A record end counts as a blank, part of the comma's separator: no null...
        {nullptr, "1\n,2\n", {"ii"}, "0: 1,2"},
        // ...but a comma on each side of the record end is a null between them.
        {nullptr, "1,\n,2\n", {"iii"}, "0: 1,-1,2"},
        // "r*value" is r values, "r*" alone r nulls.
        {nullptr, "3*2.5\n2* 7\n1 2*4\n", {"fff", "iii", "iii"}, "0: 2.5,2.5,2.5 | 0: -1,-1,7 | 0: 1,4,4"},
        // The slash ends the read; what follows it on the record is ignored.
        {nullptr, "1.5 /\n2.5/ 8\n4\n", {"fff", "ff", "f"}, "0: 1.5,9,9 | 0: 2.5,9 | 0: 4"},
        // Unquoted text ends at a blank, comma, semicolon or slash; cut or padded to 5.
        {nullptr, "abc defghij\nab;cd/ef\n", {"aa", "aaa"}, "0: [abc  ],[defgh] | 0: [ab   ],[cd   ],[.....]"},
        {nullptr, "'a b,c' \"x/y\" 'it''s'\n2*'q'\n", {"aaa", "aa"},
         "0: [a b,c],[x/y  ],[it's ] | 0: [q    ],[q    ]"},
        {nullptr, "1.5D2 -2.5e-1 3+2 INF nan 7 -.5Q1\n", {"fffffff"}, "0: 150,-0.25,300,inf,nan,7,-5"},
    });
}

TEST(FreeFormRead, FailuresNameTheItemKeepLaterTargetsAndSkipTheirRecord) {
    expect_reads({
        {nullptr, "3.0\n", {"i"}, "1 Bad integer for item 1 in list input: -1"},
        {nullptr, "1 2.5 x\n", {"ifi"}, "1 Bad integer for item 3 in list input: 1,2.5,-1"},
        {nullptr, "1 2147483648\n", {"ii"}, "1 Integer overflow while reading item 2: 1,-1"},
        // A quoted text ends on its own record: an opening quote without its
        // closing quote is a bad value, and the next record is not touched.
        {nullptr, "1 130688 'GW 93.6 0 138.6\n2 130689 'GW' 5 6 7\n", {"iiaiii", "iiaiii"},
         "1 Quoted text not closed in item 3 of list input: 1,130688,[.....],-1,-1,-1"
         " | 0: 2,130689,[GW   ],5,6,7"},
        {nullptr, "1 2*'ab\n", {"iaa"}, "1 Quoted text not closed in item 2 of list input: 1,[.....],[.....]"},
        // 3 is ignored with the rest of the failed record; the next read starts on record 2.
        {nullptr, "1 x 3\n4 5 6\n", {"iii", "iii"}, "1 Bad integer for item 2 in list input: 1,-1,-1 | 0: 4,5,6"},
    });
}

TEST(FreeFormRead, RecordEndsAndEndOfFile) {
    expect_reads({
        // End of file after a partly filled read keeps what was stored.
        {nullptr, "1 2\n", {"iii", "i"}, "-1 End of file: 1,2,-1 | -1 End of file: 1"},
        {nullptr, "\n   \n\n", {"i"}, "-1 End of file: -1"},
        // An empty list skips exactly one record, an empty one too.
        {nullptr, "grp,twnshp,range\n\n5\n", {"", "", "i", ""}, "0: | 0: | 0: 5 | -1 End of file:"},
        // The CR of CR LF is not data; a last record without a line end is read.
        {nullptr, "1 2\r\nab\r\n\r\n4 5", {"ii", "a", "ii", "i"}, "0: 1,2 | 0: [ab   ] | 0: 4,5 | -1 End of file: 4"},
    });
}

}  // namespace
}  // namespace tessadro::test
