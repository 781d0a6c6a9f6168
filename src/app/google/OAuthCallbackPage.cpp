// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/google/OAuthCallbackPage.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace tivren::OAuthCallbackPage {
namespace {

// "&" first, so that the entities written by the later replacements are not escaped again.
QString escaped(QString text)
{
    text.replace(u'&', u"&amp;"_s);
    text.replace(u'<', u"&lt;"_s);
    text.replace(u'>', u"&gt;"_s);
    text.replace(u'"', u"&quot;"_s);
    text.replace(u'\'', u"&#39;"_s);
    return text;
}

const QString head = u"<!doctype html>\n"
                     "<html lang=\"en\">\n"
                     "<head>\n"
                     "<meta charset=\"utf-8\">\n"
                     "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
                     "<meta name=\"color-scheme\" content=\"light dark\">\n"
                     "<title>"_s;

const QString styleSheet = uR"css(
:root {
  --bg-top: #f5f5f7; --bg-bottom: #ffffff;
  --card: rgba(255, 255, 255, 0.72); --card-border: rgba(0, 0, 0, 0.06);
  --card-shadow: 0 1px 2px rgba(0, 0, 0, 0.04), 0 8px 24px rgba(0, 0, 0, 0.06), 0 24px 64px rgba(0, 0, 0, 0.08);
  --tile-top: #ffffff; --tile-bottom: #ececef; --tile-border: rgba(0, 0, 0, 0.06);
  --text: #1d1d1f; --muted: #6e6e73;
  --reason-bg: rgba(0, 0, 0, 0.04);
  --accent: #0071e3; --accent-hover: #0077ed; --accent-pressed: #006edb;
  --success-bg: rgba(48, 159, 88, 0.12); --success-text: #1d8348;
  --error-bg: rgba(192, 57, 43, 0.12); --error-text: #b3261e;
  --arrow: #b0b0b8;
}
@media (prefers-color-scheme: dark) {
  :root {
    --bg-top: #0a0a0a; --bg-bottom: #1c1c1e;
    --card: rgba(28, 28, 30, 0.72); --card-border: rgba(255, 255, 255, 0.08);
    --card-shadow: 0 1px 2px rgba(0, 0, 0, 0.3), 0 8px 24px rgba(0, 0, 0, 0.35), 0 24px 64px rgba(0, 0, 0, 0.45);
    --tile-top: #2c2c2e; --tile-bottom: #1c1c1e; --tile-border: rgba(255, 255, 255, 0.08);
    --text: #f5f5f7; --muted: #a1a1a6;
    --reason-bg: rgba(255, 255, 255, 0.06);
    --accent: #0a84ff; --accent-hover: #2997ff; --accent-pressed: #0a7ae6;
    --success-bg: rgba(48, 209, 88, 0.16); --success-text: #30d158;
    --error-bg: rgba(255, 69, 58, 0.18); --error-text: #ff6961;
    --arrow: #6e6e73;
  }
}
* { box-sizing: border-box; }
html, body { margin: 0; min-height: 100%; }
body {
  min-height: 100vh; display: grid; place-items: center; padding: 32px 20px;
  background: linear-gradient(180deg, var(--bg-top), var(--bg-bottom));
  color: var(--text);
  font-family: -apple-system, BlinkMacSystemFont, "Segoe UI", system-ui, Cantarell, Ubuntu, Roboto, "Helvetica Neue", Arial, sans-serif;
  -webkit-font-smoothing: antialiased;
}
.card {
  width: 100%; max-width: 460px; padding: 40px 36px 28px; text-align: center;
  background: var(--card); border: 1px solid var(--card-border); border-radius: 22px;
  -webkit-backdrop-filter: saturate(180%) blur(20px); backdrop-filter: saturate(180%) blur(20px);
  box-shadow: var(--card-shadow);
}
.glyphs { display: inline-flex; align-items: center; gap: 14px; margin-bottom: 26px; }
.tile {
  width: 56px; height: 56px; border-radius: 14px; display: inline-flex; align-items: center; justify-content: center;
  background: linear-gradient(180deg, var(--tile-top), var(--tile-bottom)); border: 1px solid var(--tile-border);
}
.tile--gcal { background: #ffffff; }
.arrow { color: var(--arrow); display: inline-flex; }
h1 { font-size: 24px; font-weight: 600; line-height: 1.18; letter-spacing: -0.022em; margin: 0 0 10px; }
.lede { color: var(--muted); font-size: 15px; line-height: 1.5; max-width: 36ch; margin: 0 auto; }
.reason {
  text-align: left; font-family: ui-monospace, SFMono-Regular, Menlo, Consolas, "DejaVu Sans Mono", monospace;
  font-size: 13px; line-height: 1.45; padding: 12px 14px; border-radius: 12px; margin-top: 18px;
  background: var(--reason-bg); overflow-wrap: anywhere; word-break: break-word;
}
.pill {
  display: inline-flex; align-items: center; gap: 6px; margin-top: 22px; padding: 6px 12px;
  border-radius: 999px; font-size: 12px; font-weight: 600;
}
.pill--success { background: var(--success-bg); color: var(--success-text); }
.pill--error { background: var(--error-bg); color: var(--error-text); }
.dot { width: 6px; height: 6px; border-radius: 50%; background: currentColor; }
.actions { margin-top: 26px; }
.btn {
  appearance: none; border: 0; cursor: pointer; background: var(--accent); color: #ffffff;
  font: inherit; font-size: 14px; font-weight: 590; padding: 11px 22px; border-radius: 10px;
  box-shadow: 0 1px 2px rgba(0, 0, 0, 0.08), 0 4px 12px color-mix(in srgb, var(--accent) 30%, transparent);
  transition: background-color 120ms ease, transform 120ms ease, box-shadow 120ms ease;
}
.btn:hover { background: var(--accent-hover); }
.btn:active { background: var(--accent-pressed); transform: translateY(1px); }
.btn:focus-visible { outline: 2px solid var(--accent); outline-offset: 2px; }
.footnote { color: var(--muted); font-size: 12px; margin: 18px 0 0; }
)css"_s;

const QString clockTile =
    u"<span class=\"tile\" aria-hidden=\"true\">\n"
    "        <svg width=\"30\" height=\"30\" viewBox=\"0 0 24 24\" fill=\"none\" stroke=\"#1d1d1f\" "
    "stroke-width=\"1.7\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n"
    "          <circle cx=\"12\" cy=\"12\" r=\"9\"/>\n"
    "          <path d=\"M12 7.2v5l3.2 1.9\"/>\n"
    "        </svg>\n"
    "      </span>"_s;

const QString arrow =
    u"<span class=\"arrow\" aria-hidden=\"true\">\n"
    "        <svg width=\"16\" height=\"16\" viewBox=\"0 0 24 24\" fill=\"none\" stroke=\"currentColor\" "
    "stroke-width=\"2\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n"
    "          <path d=\"M5 12h14\"/>\n"
    "          <path d=\"M13 6l6 6-6 6\"/>\n"
    "        </svg>\n"
    "      </span>"_s;

const QString calendarTile =
    u"<span class=\"tile tile--gcal\" aria-hidden=\"true\">\n"
    "        <svg xmlns=\"http://www.w3.org/2000/svg\" width=\"34\" height=\"34\" viewBox=\"0 0 36 36\">\n"
    "          <rect x=\"3\" y=\"6\" width=\"30\" height=\"26\" rx=\"5\" fill=\"#ffffff\" stroke=\"#dadce0\" "
    "stroke-width=\"1\"/>\n"
    "          <line x1=\"11\" y1=\"3\" x2=\"11\" y2=\"9\" stroke=\"#80868b\" stroke-width=\"2.4\" "
    "stroke-linecap=\"round\"/>\n"
    "          <line x1=\"25\" y1=\"3\" x2=\"25\" y2=\"9\" stroke=\"#80868b\" stroke-width=\"2.4\" "
    "stroke-linecap=\"round\"/>\n"
    "          <text x=\"18\" y=\"26.5\" text-anchor=\"middle\" fill=\"#1a73e8\" font-weight=\"700\" "
    "font-size=\"13.5\" font-family=\"system-ui, -apple-system, 'Segoe UI', Roboto, sans-serif\">31</text>\n"
    "        </svg>\n"
    "      </span>"_s;

} // namespace

QString render(const State& state)
{
    const bool success = state.kind == State::Kind::success;
    QString page;
    page += head;
    page += success ? u"Tivren \u2014 Connected to Google Calendar"_s : u"Tivren \u2014 Connection failed"_s;
    page += u"</title>\n<style>"_s;
    page += styleSheet;
    page += u"</style>\n</head>\n<body>\n  <main class=\"card\" role=\"status\" aria-live=\"polite\">\n"
            "    <div class=\"glyphs\" aria-hidden=\"true\">\n      "_s;
    page += clockTile + u"\n      "_s + arrow + u"\n      "_s + calendarTile;
    page += u"\n    </div>\n    <h1>"_s;
    page += success ? u"You&rsquo;re all set"_s : u"We couldn&rsquo;t connect to Google Calendar"_s;
    page += u"</h1>\n    <p class=\"lede\">"_s;
    page += success ? u"Tivren is connected to your Google Calendar. You can close this tab and return to the app."_s
                    : u"Something went wrong while finishing the connection. You can try again from the app."_s;
    page += u"</p>\n    "_s;
    if (!success)
        page += u"<div class=\"reason\" role=\"note\">"_s + escaped(state.reason) + u"</div>"_s;
    page += u"\n    <span class=\""_s;
    page += success ? u"pill pill--success"_s : u"pill pill--error"_s;
    page += u"\"><span class=\"dot\"></span>"_s;
    page += success ? u"Connected"_s : u"Couldn&rsquo;t connect"_s;
    page += u"</span>\n    <div class=\"actions\">\n"
            "      <button class=\"btn\" type=\"button\" onclick=\"window.close()\">"_s;
    page += success ? u"Done"_s : u"Return to Tivren"_s;
    page += u"</button>\n    </div>\n"
            "    <p class=\"footnote\">It&rsquo;s safe to close this window.</p>\n"
            "  </main>\n</body>\n</html>"_s;
    return page;
}

QByteArray contentSecurityPolicy()
{
    // The style element by its hash, so that no other style or script, should one ever slip into
    // the page, is applied.
    const QByteArray hash = QCryptographicHash::hash(styleSheet.toUtf8(), QCryptographicHash::Sha256).toBase64();
    return "default-src 'none'; style-src 'sha256-" + hash
        + "'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

} // namespace tivren::OAuthCallbackPage
