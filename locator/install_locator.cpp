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

InstallLocator::InstallLocator(LocatorSystem system)
    : system_(system),
      own_catalogue_(new CatalogueComponentLookup(system.files, system.dialogs)),
      catalogue_(own_catalogue_.get()) {}

InstallLocator::InstallLocator(LocatorSystem system, CatalogueLookup& catalogue)
    : system_(system), catalogue_(&catalogue) {}

InstallLocator::~InstallLocator() = default;

void InstallLocator::Run(EditionPaths& paths) {
  LocatorContext context{system_, *catalogue_, trace_};

  paths.DocumentsFolder = system_.environment.DocumentsFolder();
  context.Trace("documents folder: " +
                (paths.DocumentsFolder.empty() ? "none" : Quoted(paths.DocumentsFolder)));

  // Used as read: a wrong hidden folder only makes the catalogue absent.
  std::string hide_folder = ReadMachineValue(system_.registry, kConfigKey, kHideFolderValue);
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
