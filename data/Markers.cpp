#include "Markers.h"

#include "Gbk.h"

#include <charconv>

namespace orvane {

TMarker FindMarker(std::string_view text, size_t from) {
    const size_t at = FindWhole(text, std::string_view(&kMarkerChar, 1), from);
    if (at == std::string_view::npos) return {at, at, 1};
    // Digits are below every trail byte, so the run after the backquote is whole characters.
    size_t end = at + 1;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    int number = 1;
    const char* first = text.data() + at + 1;
    const char* last = text.data() + end;
    if (first == last || std::from_chars(first, last, number).ptr != last) number = 1;
    return {at, end, number};
}

std::vector<TMarker> FindMarkers(std::string_view text) {
    std::vector<TMarker> markers;
    for (TMarker m = FindMarker(text); m.Begin != std::string_view::npos;
         m = FindMarker(text, m.End))
        markers.push_back(m);
    return markers;
}

std::string StripMarkers(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    for (TMarker m = FindMarker(text); m.Begin != std::string_view::npos;
         m = FindMarker(text, m.End)) {
        out.append(text.substr(i, m.Begin - i));
        i = m.End;
    }
    out.append(text.substr(i));
    return out;
}

} // namespace orvane
