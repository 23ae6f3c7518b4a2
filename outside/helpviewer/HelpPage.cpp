#include "HelpPage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace korvane::help {

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The character an entity stands for (after its '&', up to and with its ';'); the entity itself when unknown.
std::string Entity(std::string_view html, size_t& at)
{
    const size_t end = html.find(';', at);
    if (end == std::string_view::npos || end - at > 10)
        return "&";
    const std::string name = Lower(html.substr(at + 1, end - at - 1));
    static const struct {
        const char* name;
        const char* text;
    } kNamed[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    for (const auto& named : kNamed) {
        if (name == named.name) {
            at = end;
            return named.text;
        }
    }
    if (name.size() > 1 && name[0] == '#') {
        const long code = name[1] == 'x' ? std::strtol(name.c_str() + 2, nullptr, 16) : std::strtol(name.c_str() + 1, nullptr, 10);
        if (code > 0 && code < 256) {
            at = end;
            return std::string(1, static_cast<char>(code));
        }
    }
    return "&";
}

class TextBuilder {
public:
    void Word(const std::string& text)
    {
        if (pendingSpace_ && !text_.empty() && text_.back() != '\n' && text_.back() != ' ')
            text_ += ' ';
        pendingSpace_ = false;
        text_ += text;
    }
    void Space() { pendingSpace_ = true; }
    // Ends the line; `blank` leaves an empty line after it (paragraphs and headings).
    void Break(bool blank)
    {
        pendingSpace_ = false;
        while (!text_.empty() && text_.back() == ' ')
            text_.pop_back();
        if (text_.empty())
            return;
        if (text_.back() != '\n')
            text_ += '\n';
        if (blank && (text_.size() < 2 || text_[text_.size() - 2] != '\n'))
            text_ += '\n';
    }
    std::string Finish()
    {
        Break(false);
        while (text_.size() >= 2 && text_[text_.size() - 1] == '\n' && text_[text_.size() - 2] == '\n')
            text_.pop_back();
        return text_;
    }

private:
    std::string text_;
    bool pendingSpace_ = false;
};

} // namespace

HelpPage ReadHelpPage(std::string_view html)
{
    HelpPage page;
    TextBuilder text;
    std::vector<int> lists;  // per open list: 0 for a bulleted one, else the next number
    bool inTitle = false, inHead = false;
    std::string word;
    auto flushWord = [&] {
        if (word.empty())
            return;
        if (inTitle)
            page.title += (page.title.empty() ? "" : " ") + word;
        else if (!inHead)
            text.Word(word);
        word.clear();
    };
    for (size_t at = 0; at < html.size(); ++at) {
        const char c = html[at];
        if (c == '<') {
            const size_t end = html.find('>', at);
            if (end == std::string_view::npos)
                break;
            flushWord();
            std::string tag = Lower(html.substr(at + 1, end - at - 1));
            at = end;
            const bool closing = !tag.empty() && tag[0] == '/';
            if (closing)
                tag.erase(0, 1);
            tag = tag.substr(0, tag.find_first_of(" \t\r\n/"));
            if (tag == "title")
                inTitle = !closing;
            else if (tag == "head")
                inHead = !closing;
            else if (tag == "p" || tag == "div" || tag == "table" || (tag.size() == 2 && tag[0] == 'h' && std::isdigit(static_cast<unsigned char>(tag[1]))))
                text.Break(true);
            else if (tag == "br" || tag == "tr")
                text.Break(false);
            else if (tag == "ul" || tag == "ol") {
                // A list of the text stands apart from it; a list inside a list item does not.
                if (closing && !lists.empty())
                    lists.pop_back();
                text.Break(lists.empty());
                if (!closing)
                    lists.push_back(tag == "ol" ? 1 : 0);
            } else if (tag == "li" && !closing) {
                text.Break(false);
                std::string marker(lists.size() > 1 ? 2 * (lists.size() - 1) : 0, ' ');
                if (!lists.empty() && lists.back() > 0)
                    marker += std::to_string(lists.back()++) + ".";
                else
                    marker += "-";
                text.Word(marker);
                text.Space();
            }
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            flushWord();
            if (!inTitle)
                text.Space();
            continue;
        }
        word += c == '&' ? Entity(html, at) : std::string(1, c);
    }
    flushWord();
    page.text = text.Finish();
    return page;
}

} // namespace korvane::help
