// The two frame pages of a whole-project site: the index page splits the
// window into a menu frame and a code frame, the menu page links every module
// page. All pages sit in one folder, so links are bare file names; names from
// outside the code are escaped where they land in markup.
#include <exception>
#include <string>

#include "addin/common/vba_error.h"
#include "addin/convert/converter.h"
#include "addin/job/vb_code.h"

namespace qm {

namespace {

constexpr const char* kMenuPageName = "menu.htm";

// The file name of a module's page inside the site: base name, "_", module name, ".htm".
std::string ModulePageName(const clsVBCode& job, const VBComponentPtr& component) {
  if (!component) throw VbaError(kErrObjectRequired, "オブジェクトが必要です。");
  return job.ProjectBaseName() + "_" + component->Name() + ".htm";
}

// One link line of the menu; `position` is the module's 1-based place in Components.
std::string MenuLinkLine(const clsVBCode& job, int position, const std::string& br) {
  const VBComponentPtr component = job.ComponentAt(position);
  const std::string page = clsConverter::EscapeMarkup(ModulePageName(job, component));
  const std::string name = clsConverter::EscapeMarkup(component->Name());
  if (job.UseJavaScript()) {
    return "<span id=\"st\">* </span><a href=\"" + page + "\" target=\"frame2\" onclick=\"select('" +
           std::to_string(position - 1) + "')\">" + name + "</a>" + br;
  }
  return "* <a href=\"" + page + "\" target=\"frame2\">" + name + "</a>" + br;
}

}  // namespace

bool clsConverter::WriteIndexPage(File& file) {
  try {
    const clsVBCode& job = Job();
    if (!WriteHeader(file, job.ProjectBaseName(), FramesetPage)) return false;
    const std::string codePage = EscapeMarkup(ModulePageName(job, job.SelectedComponent()));
    return file.WriteLine("<frameset cols=\"20%,*\">") &&
           file.WriteLine(std::string("<frame src=\"") + kMenuPageName + "\" name=\"frame1\">") &&
           file.WriteLine("<frame src=\"" + codePage + "\" name=\"frame2\">") && file.WriteLine("</frameset>") &&
           file.WriteLine("</html>");
  } catch (const std::exception&) {
    return false;
  }
}

// In <pre> mode with inline style or font mode the held-back font opener has
// no code line to stand in front of; it opens the menu's title line instead,
// so the "</font>" of the foot closes it.
bool clsConverter::WriteMenuPage(File& file) {
  try {
    const clsVBCode& job = Job();
    if (!WriteHeader(file, job.ProjectBaseName() + "_Menu", MenuPage)) return false;
    const std::string br = job.UsePreTag() ? "" : "<br>";
    std::string heading = pendingPrefix_ + "<big><b>" + EscapeMarkup(job.ProjectBaseName()) + "</b></big>" + br;
    pendingPrefix_.clear();
    if (!file.WriteLine(heading) || !file.WriteLine(RuleTag(5))) return false;
    for (int i = 1; i <= job.CountOfComponents(); ++i) {
      if (!file.WriteLine(MenuLinkLine(job, i, br))) return false;
    }
    return WriteFooter(file);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace qm
