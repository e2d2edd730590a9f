# help2man fills every paragraph of --help; the lines of the CSV example stay lines.
/^fichier;/,/^\.IP$/ {
  /^fichier;/i .nf
  /^\.IP$/i .fi
}
