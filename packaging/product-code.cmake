# Prints the installer's ProductCode for a version: the name-based UUID (RFC 4122, SHA-1) of
# the version in the namespace of the UpgradeCode. Every build of one version is then the same
# product, which admins can remove by its code, and each version is a product of its own.
# Usage: cmake -DUPGRADE_CODE=<uuid> -DVERSION=<version> -P product-code.cmake
string(UUID code NAMESPACE "${UPGRADE_CODE}" NAME "${VERSION}" TYPE SHA1 UPPER)
execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "{${code}}")
