#include "analysis/html_page.h"

namespace analysis {

namespace {

// The colours are variables so that the dark scheme and paper only swap them.
// Severity and change kinds are also written out as words: colour alone is
// lost on a monochrome printer.
constexpr const char* kStyle =
    ":root{--fg:#1d2125;--bg:#fff;--muted:#5c646c;--line:#cfd6dd;--card:#f5f7f9;--box:#fff;"
    "--link:#0a58a8;--err:#a4231b;--err-bg:#fdecea;--warn:#7a5000;--warn-bg:#fff3d1;"
    "--info:#0a58a8;--info-bg:#e6effa;--fn:#e7f4e9;--fn-line:#2e7d32;--add:#17692e;"
    "--add-bg:#e3f5e8;--del:#a4231b;--del-bg:#fdecea}\n"
    "@media (prefers-color-scheme:dark){:root{--fg:#e4e6e8;--bg:#14171b;--muted:#a3abb3;"
    "--line:#3b424a;--card:#1c2026;--box:#242a31;--link:#8cb8f5;--err:#ff9a8f;--err-bg:#3a1c1a;"
    "--warn:#ffd27a;--warn-bg:#372c12;--info:#8cb8f5;--info-bg:#172a40;--fn:#1b3221;"
    "--fn-line:#84c98a;--add:#84dca0;--add-bg:#15301f;--del:#ff9a8f;--del-bg:#3a1c1a}}\n"
    "*{box-sizing:border-box}\n"
    "body{margin:0 auto;max-width:76rem;padding:1rem;color:var(--fg);background:var(--bg);"
    "font:15px/1.45 system-ui,'Segoe UI',Roboto,'DejaVu Sans',sans-serif}\n"
    "a{color:var(--link)}\n"
    "h1{font-size:1.45rem;margin:.2rem 0}\n"
    "h2{font-size:1.2rem;margin:1.6rem 0 .6rem;padding-bottom:.2rem;"
    "border-bottom:1px solid var(--line)}\n"
    "h3{font-size:1rem;margin:1rem 0 .4rem;overflow-wrap:anywhere}\n"
    "code,.trace{font-family:ui-monospace,Consolas,'Liberation Mono','DejaVu Sans Mono',"
    "monospace;font-size:.9em;overflow-wrap:anywhere}\n"
    ".muted,.source{color:var(--muted)}\n"
    ".source{margin:.2rem 0}\n"
    "table{border-collapse:collapse;width:100%;margin:.4rem 0}\n"
    "th,td{text-align:left;vertical-align:top;padding:.3rem .5rem;"
    "border-bottom:1px solid var(--line);overflow-wrap:break-word}\n"
    "thead th{font-size:.85rem;color:var(--muted)}\n"
    ".facts th{width:16rem;font-weight:600}\n"
    // Fixed columns and cards drawn only when scrolled to: a report of
    // thousands of devices opens at once.
    ".services{table-layout:fixed;margin:0}\n"
    ".part{content-visibility:auto;contain-intrinsic-size:auto 60rem;margin:.4rem 0}\n"
    ".services th:nth-child(1){width:14%}.services th:nth-child(2){width:27%}"
    ".services th:nth-child(3),.services th:nth-child(4){width:12%}\n"
    ".trace{margin:.3rem 0;padding:.25rem .5rem;border-left:4px solid;white-space:pre-wrap}\n"
    ".trace.error{color:var(--err);background:var(--err-bg)}\n"
    ".trace.warning{color:var(--warn);background:var(--warn-bg)}\n"
    ".sev,.tag,.kind{display:inline-block;padding:0 .4rem;border-radius:.3rem;"
    "font-size:.75rem;font-weight:700;text-transform:uppercase;letter-spacing:.02em;"
    "border:1px solid}\n"
    ".sev{min-width:5.2rem;text-align:center}\n"
    ".error>.sev,.tag.missing{color:var(--err);background:var(--err-bg)}\n"
    ".warning>.sev,.tag.foreign{color:var(--warn);background:var(--warn-bg)}\n"
    ".info>.sev{color:var(--info);background:var(--info-bg)}\n"
    ".findings{list-style:none;padding:0;margin:0}\n"
    ".findings li{padding:.5rem 0;border-bottom:1px solid var(--line)}\n"
    ".findings p{margin:.2rem 0 0}\n"
    ".cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(21rem,1fr));gap:.8rem}\n"
    ".device{border:1px solid var(--line);border-radius:.5rem;padding:.6rem .7rem;"
    "background:var(--card);break-inside:avoid;min-width:0;content-visibility:auto;"
    "contain-intrinsic-size:auto 9rem}\n"
    ".device h3{margin-top:0}\n"
    ".device dl{display:grid;grid-template-columns:auto 1fr;gap:.1rem .6rem;margin:.3rem 0}\n"
    ".device dt{color:var(--muted)}\n"
    ".device dd{margin:0;min-width:0}\n"
    ".stack{list-style:none;margin:.5rem 0 0;padding:0}\n"
    ".stack li{border:1px solid var(--line);border-radius:.35rem;background:var(--box);"
    "padding:.3rem .5rem;margin:0 0 .3rem}\n"
    ".stack .layer{display:block;font-size:.72rem;color:var(--muted);text-transform:uppercase;"
    "letter-spacing:.03em}\n"
    ".stack .fn{border:2px solid var(--fn-line);background:var(--fn)}\n"
    ".stack .foreign{border-color:var(--warn)}\n"
    ".stack .missing{border:2px dashed var(--err);background:var(--err-bg)}\n"
    ".stack .svc{font-weight:600}\n"
    ".stack .ver,.stack .co{margin-left:.5rem}\n"
    ".stack .tag{margin-left:.5rem}\n"
    ".lang{margin:.2rem 0}\n"
    ".lang dl{display:grid;grid-template-columns:auto 1fr;gap:0 .6rem;margin:.1rem 0}\n"
    ".lang dt{color:var(--muted)}\n"
    ".lang dd{margin:0}\n"
    ".changes{list-style:none;padding:0;margin:0 0 .6rem}\n"
    ".changes li{padding:.25rem 0;border-bottom:1px solid var(--line)}\n"
    ".kind{min-width:5rem;text-align:center;margin-right:.4rem}\n"
    ".added .kind,ins{color:var(--add);background:var(--add-bg)}\n"
    ".removed .kind,del{color:var(--del);background:var(--del-bg)}\n"
    ".changed .kind,.moved .kind{color:var(--info);background:var(--info-bg)}\n"
    "ins,del{text-decoration:none;padding:0 .2rem;border-radius:.2rem}\n"
    "del{text-decoration:line-through}\n"
    ".count{font-size:1.05rem}\n"
    "@media (max-width:40rem){body{padding:.5rem}.facts th{width:auto}"
    ".services thead{display:none}.services tr,.services td{display:block;max-width:none}"
    ".services td[data-label]::before{content:attr(data-label);display:block;"
    "font-size:.75rem;color:var(--muted)}.cards{grid-template-columns:1fr}}\n"
    "@media print{:root{--fg:#000;--bg:#fff;--muted:#444;--line:#999;--card:#fff;--box:#fff;"
    "--link:#000;--err:#000;--err-bg:#fff;--warn:#000;--warn-bg:#fff;--info:#000;"
    "--info-bg:#fff;--fn:#fff;--fn-line:#000;--add:#000;--add-bg:#fff;--del:#000;"
    "--del-bg:#fff}body{max-width:none;padding:0;font-size:10pt}a{text-decoration:none}"
    ".cards{grid-template-columns:1fr 1fr}.device,.findings li,.services tr{break-inside:avoid}"
    "h2,h3{break-after:avoid}}\n";

}  // namespace

void BeginHtmlPage(HtmlWriter& html, std::string_view title) {
    html.Raw("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n")
        .Raw("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n")
        .Raw("<meta name=\"color-scheme\" content=\"light dark\">\n")
        // The page needs nothing from anywhere and runs nothing; say so to
        // the browser too.
        .Raw(
            "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "style-src 'unsafe-inline'\">\n")
        .Raw("<title>")
        .Utf8(title)
        .Raw("</title>\n<style>\n")
        .Raw(kStyle)
        .Raw("</style>\n</head>\n<body>\n");
}

void EndHtmlPage(HtmlWriter& html) {
    html.Raw("</body>\n</html>\n");
}

}  // namespace analysis
