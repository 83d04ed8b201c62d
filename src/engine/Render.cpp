// The string forms of the renderers, built on the streaming ones (see Render.h).
#include "engine/Render.h"

#include <sstream>

namespace hlreports {
namespace {

template <typename Render>
std::string RenderedText(const CoreReport& report, Render render) {
    std::ostringstream stream;
    render(report, stream);
    return std::move(stream).str();
}

}  // namespace

std::string RenderJson(const CoreReport& report) {
    return RenderedText(report, [](const CoreReport& r, std::ostream& s) { RenderJson(r, s); });
}

std::string RenderText(const CoreReport& report) {
    return RenderedText(report, [](const CoreReport& r, std::ostream& s) { RenderText(r, s); });
}

std::string RenderHtml(const CoreReport& report) {
    return RenderedText(report, [](const CoreReport& r, std::ostream& s) { RenderHtml(r, s); });
}

}  // namespace hlreports
