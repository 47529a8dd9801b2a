// Printing the article a direction shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "dictionary/direction_state_win.h"

// What the page loop calls around each page: a printer's StartPage/EndPage, or a test's
// checks. Returning false from either stops the printing.
struct PageEvents {
  bool (*startPage)(void* context);
  bool (*endPage)(void* context);
  void* context;
};

// Lays the headword out as a heading and the article below it on pages of the given
// device, wrapping lines to the page width and starting a new page when one is full, within
// margins of one inch (or less on small pages). `page` is the printable area in device
// pixels. `colours`, when not empty, gives the colour of each unit of `article` (line ends
// included); otherwise everything is black. Returns the pages printed, or 0 when a page
// event stopped the printing.
int printArticleOnPages(HDC device, const RECT& page, const std::wstring& headword, const std::wstring& article,
                        const PageEvents& events, const std::vector<COLORREF>& colours = {});

// The colour of each unit of `article` (its line ends single LFs) when printed from `state`'s
// view: the tone colours of the scheme the view shows, or nothing (all black) with Off.
std::vector<COLORREF> printColours(const std::wstring& article, const DirectionState& state,
                                   const std::wstring& headword);

// The Print button: the direction's article, headed by the word it is of, with the
// standard print dialog owned by `owner`, in the tone colours the view shows (a printer
// without colour makes them grey); nothing to print does nothing.
void printShownArticle(HWND owner, const DirectionState& state);
