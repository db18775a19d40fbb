#include "locator/install_locator.h"

#include <utility>

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
    : system_(system), catalogue_(new CatalogueComponentLookup({system.files, system.dialogs})) {}

InstallLocator::~InstallLocator() = default;

void InstallLocator::Run(EditionPaths& paths, std::vector<LocatorStep>* trace) {
  LocatorContext context{system_, *catalogue_, trace};

  paths.DocumentsFolder = system_.environment.DocumentsFolder();
  LocatorStep documents;
  documents.source = LocatorStep::Source::kDocumentsFolder;
  documents.outcome = paths.DocumentsFolder.empty() ? LocatorStep::Outcome::kNotFound
                                                    : LocatorStep::Outcome::kFound;
  documents.folder = paths.DocumentsFolder;
  context.Note(std::move(documents));

  // Used as read: a wrong hidden folder only makes the catalogue absent.
  paths.HideFolder = ReadMachineValue(system_.registry, kConfigKey, kHideFolderValue);
  LocatorStep hide;
  hide.source = LocatorStep::Source::kHideFolder;
  hide.outcome = LocatorStep::Outcome::kFound;
  if (IsBlank(paths.HideFolder)) {
    paths.HideFolder = kDefaultHideFolder;
    hide.outcome = LocatorStep::Outcome::kDefault;
  }
  hide.path = kConfigKey;
  hide.value_name = kHideFolderValue;
  hide.folder = paths.HideFolder;
  context.Note(std::move(hide));

  std::string catalogue = CataloguePath(paths.HideFolder);
  paths.NetmarbleFolder = LocateNetmarble(context, catalogue);
  paths.NexonFolder = LocateNexon(context, catalogue);
}

}  // namespace varnett
