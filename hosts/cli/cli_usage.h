// The help text of quillmark (--help).
#pragma once

#include <string_view>

namespace qm::cli {

inline constexpr std::string_view kUsage =
    R"(Usage: quillmark [OPTIONS] SOURCE...

Turns VBA source into HTML pages that look like the VBA editor: its colours,
font, tab width and procedure separators. quillmark plays the editor and the
user: it loads the sources into an editor of its own, loads the Quillmark
add-in, selects the module, clicks the add-in's "Ferravel" button and answers
the options dialog as the options below say, then presses OK.

  SOURCE  an Office document with a VBA project (.xlsm .docm .xls ...),
          exported module files (.bas .cls .frm), or one folder of them

What to convert
  -m, --module NAME        the selected component (default: the first in
                           conversion order: documents, forms, standard
                           modules, class modules, each by name)
  --select L[:C][-L[:C]]   the code pane selection, lines and columns from 1
                           (default 1:1); decides the procedure and the lines.
                           L1-L2 selects lines L1 to L2 whole; an end at
                           column 1 (L1-L2:1) stops before line L2
  -t, --target module|procedure|selection|project
                           (default: as the dialog opens, the module)

What to do with the HTML (default: save)
  -o, --output PATH        save to PATH, as if chosen in the save-file dialog.
                           With --target project PATH is the site's folder
                           (an existing folder or one ending in "/") or its
                           index.htm; the site is index.htm, menu.htm and one
                           page per module in that folder
  --copy                   copy the HTML source to the clipboard (a clipboard
                           tool of the display: wl-copy, xclip or xsel)
  --stdout                 copy, with standard output as the clipboard
  --show                   show the page in the browser ($BROWSER, xdg-open)
  --open                   open the saved file afterwards

Where the output goes by default
  Beside the sources, named after them. An Office document D/Book1.xlsm
  gives D/Book1_Module1.htm, and for the whole project D/Book1/index.htm.
  A folder D/Book1 of exported files counts as a project file D/Book1: pages
  go to D/Book1_Module1.htm, the whole project into the folder D/Book1
  itself. Exported files count as a project file named after the single
  file (D/Module1.bas gives D/Module1_Module1.htm), several files as
  D/VBAProject in the folder of the first.

How the HTML is formed (default: as the dialog opens)
  --style head|inline|file|none   style rules in the head, inline, in the
                           file Quillmark.css, or none (font tags)
  --font-size N            font size in points (6 to 24; needs a style)
  --pre | --no-pre         use <pre> elements
  --body-only | --no-body-only    only what lies inside <body> (copy only)
  --separators | --no-separators  a line above every procedure
  --ignore-charset         leave out the font and the character set
  --module-name            the module's name at the top of the page
  --javascript             a menu with script (whole project only)
  --standard-colors | --editor-colors   the standard colours, or the editor's

Settings and environment
  --settings FILE.reg      import the editor settings from a .reg export
                           (REGEDIT4 or version 5.00) into the registry store
                           first; the import stays
  --codepage N             the ANSI code page of the output (default: from the
                           locale; UTF-8 gives 65001, written as utf-8)
  --source-codepage N      code page of exported files that are not UTF-8
                           (default: detected, Shift-JIS for Japanese)
  --uncompiled             the project counts as not compiled (the add-in
                           asks whether to go on)
  --module-behind          another module's code window is in front (the
                           add-in asks whether to activate the module)
  -y, --yes                answer every question positively
  -q, --quiet              no progress display on standard error
  -h, --help               this text
  --version                the product's version

Messages of the add-in go to standard error. A question is asked on the
terminal; without one, and without --yes, it counts as answered No or
Cancel, so a script never waits.

The registry store is $QUILLMARK_REGISTRY, else
$XDG_CONFIG_HOME/quillmark/registry.reg (~/.config/quillmark/registry.reg).
The add-in is the one installed by quillset when its registration is found
there, else libQuillmark.so beside this program.

Exit status: 0 done; 1 ended by a message (a failed check, a question
answered No or Cancel, a failure); 2 usage error, also for an option the
options dialog does not offer for the chosen operation and target; 3 the
add-in's general error message (error number and description).
)";

}  // namespace qm::cli
