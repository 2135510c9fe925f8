# Writes DIR/SHA256SUMS for the packages in DIR (the zip, and the installer when it was
# made) in the format of sha256sum: hash, two blanks, file name.
file(GLOB packages RELATIVE "${DIR}" "${DIR}/*.zip" "${DIR}/*.exe")
set(sums "")
foreach(name IN LISTS packages)
  file(SHA256 "${DIR}/${name}" hash)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE "${DIR}/SHA256SUMS" "${sums}")
