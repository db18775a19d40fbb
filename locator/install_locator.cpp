#include "locator/install_locator.h"

#include "locator/catalogue_component_lookup.h"
#include "locator/edition_search.h"
#include "locator/registry_values.h"
#include "text/cp949.h"

namespace varnett {

namespace {

constexpr char kConfigKey[] = "SOFTWARE\\Trovek\\Config";
constexpr char kHideFolderValue[] = "HideFolder";
constexpr char kDefaultHideFolder[] = "D:\\PLX";

}  // namespace

InstallLocator::InstallLocator(Platform& platform)
    : platform_(platform),
      own_catalogue_(new CatalogueComponentLookup(platform.files, platform.dialogs)),
      catalogue_(own_catalogue_.get()) {}

InstallLocator::InstallLocator(Platform& platform, CatalogueLookup& catalogue)
    : platform_(platform), catalogue_(&catalogue) {}

InstallLocator::~InstallLocator() = default;

void InstallLocator::Run(EditionPaths& paths) {
  LocatorContext context{platform_, *catalogue_, trace_};

  paths.DocumentsFolder = platform_.environment.DocumentsFolder();
  context.Trace("documents folder: " +
                (paths.DocumentsFolder.empty() ? "none" : Quoted(paths.DocumentsFolder)));

  // Used as read: a wrong hidden folder only makes the catalogue absent.
  std::string hide_folder = ReadMachineValue(platform_.registry, kConfigKey, kHideFolderValue);
  std::string hide_line = std::string("hide folder registry HKLM ") + Quoted(kConfigKey) +
                          " value " + Quoted(kHideFolderValue) + ": ";
  if (IsBlank(hide_folder)) {
    context.Trace(hide_line + "missing or blank, default " + Quoted(kDefaultHideFolder));
    hide_folder = kDefaultHideFolder;
  } else {
    context.Trace(hide_line + Quoted(hide_folder));
  }
  paths.HideFolder = hide_folder;

  std::string catalogue = CataloguePath(paths.HideFolder);
  paths.NetmarbleFolder = LocateNetmarble(context, catalogue);
  paths.NexonFolder = LocateNexon(context, catalogue);
}

}  // namespace varnett
